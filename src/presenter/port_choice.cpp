// SPDX-License-Identifier: Apache-2.0
#include "presenter/port_choice.h"

#include "base/app_state.h"
#include "base/card_display.h"
#include "base/context.h"
#include "base/status_line.h"
#include "base/status_texts.h"
#include "discovery/command_buttons.h"
#include "discovery/port_names.h"

namespace kc {
namespace {

constexpr int kFurtherOption = 4;
constexpr int kResetButton = 5;
constexpr int kReadButton = 3;

} // namespace

PortChoice::PortChoice(Context& ctx, ButtonPress pressButton, PortTest testPort)
    : ctx_(ctx), pressButton_(std::move(pressButton)), testPort_(std::move(testPort)) {}

uint16_t PortChoice::portOfListRow(int row) const {
    const MainWindowModel& ui = ctx_.state.ui;
    if (row < 0 || row >= ui.listEntries.size() || row >= kFurtherPortColumns)
        return 0;
    return ctx_.state.tables.furtherPorts[1][std::size_t(row)];
}

void PortChoice::selectOption(int option) {
    optionClicked(option);
}

void PortChoice::selectTab(int tab) {
    ctx_.state.ui.selectedTab = tab;
    tabClicked(tab);
}

void PortChoice::optionClicked(int option) {
    if (option < 0 || option > kFurtherOption)
        return;
    AppState& state = ctx_.state;
    for (std::size_t i = 0; i < state.ui.options.size(); ++i)
        state.ui.options[i].checked = int(i) == option;
    const int slot = option + 1;
    UpdateCommandButtons(state, slot);
    ShowInsuredRecord(state.tables, slot, state.ui.card);
    selectTab(option);

    if (option < kFurtherOption) {
        state.SelectedPort = uint16_t(slot);
        state.SelectedSlot = slot;
        ctx_.status.showStatus(PortChosenText(state.SelectedPort));
        state.ui.listVisible = false;
        return;
    }
    state.SelectedSlot = kFurtherSlot;
    const uint16_t listed = portOfListRow(state.ui.listSelected);
    if (listed != 0) {
        state.SelectedPort = listed;
        ctx_.status.showStatus(PortChosenText(listed));
    }
    state.ui.listVisible = true;
}

void PortChoice::tabClicked(int tab) {
    if (tab < 0 || tab > kFurtherOption)
        return;
    AppState& state = ctx_.state;
    state.ui.selectedTab = tab;
    if (tab == state.CurrentTab)
        return;
    state.ui.visibleStatusFrame = tab;
    state.CurrentTab = tab;
    selectOption(tab);
    ctx_.status.showStatus(kTerminalStatusShownText);
}

void PortChoice::listClicked(int row) {
    AppState& state = ctx_.state;
    const uint16_t pn = portOfListRow(row);
    if (pn == 0)
        return;
    state.ui.listSelected = row;
    if (pn == state.SelectedPort)
        return;
    state.SelectedPort = pn;
    state.ui.tabCaptions[kFurtherOption] = FurtherPortTabCaption(pn);
    state.tables.port[kFurtherSlot].InterfaceText = InterfaceDescription(pn);
    // Slot 5 still holds whatever port was tested last: the terminal chosen
    // now is tested before its data are read, so it is never taken for another.
    if (testPort_ && !testPort_(pn))
        return;
    if (pressButton_) {
        pressButton_(kResetButton);
        pressButton_(kReadButton);
    }
}

} // namespace kc
