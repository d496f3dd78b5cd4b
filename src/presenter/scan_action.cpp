// SPDX-License-Identifier: Apache-2.0
#include "presenter/scan_action.h"

#include "base/app_state.h"
#include "base/card_display.h"
#include "base/context.h"
#include "base/main_view.h"
#include "base/progress.h"
#include "base/status_line.h"
#include "base/status_texts.h"
#include "cards/read_loop.h"
#include "discovery/further_ports.h"
#include "discovery/port_names.h"
#include "discovery/port_test.h"
#include "presenter/port_choice.h"
#include "presenter/scan_result.h"
#include "terminal/terminal_session.h"

namespace kc {
namespace {

constexpr int kComPorts = 4;
constexpr int kFurtherOption = 4;

// The option of a port that exists and is free can be chosen and is chosen;
// any other is greyed out.
void OfferPort(AppState& state, PortChoice& portChoice, int option, int slot) {
    const PortStatus& port = state.tables.port[slot];
    PortOption& control = state.ui.options[std::size_t(option)];
    if (port.PortPresent && !port.PortBusy) {
        control.enabled = true;
        portChoice.selectOption(option);
    } else {
        control.enabled = false;
        control.checked = false;
    }
}

bool LibraryGivenUp(const Context& ctx) {
    return ctx.session.libraryGivenUp();
}

// A port the scan could no longer test shows nothing: nothing is known of it.
void LeaveUntested(AppState& state, int slot) {
    ForgetPortTest(state, slot);
    ShowTerminalStatus(state.tables, slot, state.ui.statusPages);
}

void ScanComPorts(Context& ctx, SerialLine& line, PortChoice& portChoice) {
    AppState& state = ctx.state;
    for (int k = 1; k <= kComPorts; ++k) {
        const uint16_t pn = uint16_t(k);
        if (LibraryGivenUp(ctx)) {
            LeaveUntested(state, k);
            OfferPort(state, portChoice, k - 1, k);
            continue;
        }
        ctx.status.showStatus(PortTestingText(pn));
        AdvanceProgress(ctx, 20);
        TestPort(ctx, line, pn);
        OfferPort(state, portChoice, k - 1, k);
        if (state.tables.terminal[k].Responding && !LibraryGivenUp(ctx)) {
            RunReadLoop(ctx, pn, k, InterfaceTextOfPort(state.SelectedPort));
            ctx.status.showStatus(kCardDataShownText);
        }
    }
}

void ListFurtherPorts(AppState& state) {
    const int count = FurtherPortCount(state.tables);
    state.ui.listEntries.clear();
    for (int i = 0; i < count; ++i)
        state.ui.listEntries.append(FurtherPortListEntry(state.tables.furtherPorts[1][std::size_t(i)]));
}

// Every further port is tested and read on slot 5, which keeps the last one.
// Without one tested, slot 5 and its tab keep nothing of an earlier scan.
void ScanFurtherPorts(Context& ctx, SerialLine& line, PortChoice& portChoice) {
    AppState& state = ctx.state;
    if (state.ui.listEntries.isEmpty() || LibraryGivenUp(ctx)) {
        LeaveUntested(state, kFurtherSlot);
        state.ui.tabCaptions[kFurtherOption] = MainWindowModel().tabCaptions[kFurtherOption];
        OfferPort(state, portChoice, kFurtherOption, kFurtherSlot);
        return;
    }
    for (int i = 0; i < state.ui.listEntries.size() && !LibraryGivenUp(ctx); ++i) {
        const uint16_t pn = portChoice.portOfListRow(i);
        state.SelectedPort = pn;
        portChoice.listClicked(i);
        state.ui.tabCaptions[kFurtherOption] = FurtherPortTabCaption(pn);
        TestPort(ctx, line, pn);
        OfferPort(state, portChoice, kFurtherOption, kFurtherSlot);
        if (LibraryGivenUp(ctx))
            break;
        RunReadLoop(ctx, pn, kFurtherSlot, InterfaceTextOfPort(pn));
        ctx.status.showStatus(kCardDataShownText);
    }
}

void ShowFirstSlotWithData(Context& ctx, PortChoice& portChoice) {
    AppState& state = ctx.state;
    for (int k = 1; k <= kComPorts; ++k) {
        const TerminalInfo& info = state.tables.terminal[k];
        if (!info.Responding || !info.HasCardData)
            continue;
        state.ui.options[std::size_t(k - 1)].checked = false;
        ShowFrameX(state.ui, kFrameCardData);
        portChoice.selectOption(k - 1);
        ctx.status.showStatus(kCardDataShownText);
        return;
    }
}

} // namespace

void RunScan(Context& ctx, SerialLine& line, MainView& view, PortChoice& portChoice) {
    AppState& state = ctx.state;
    SetBusy(ctx, true);
    ShowFrameX(state.ui, kFrameWait);
    ScanComPorts(ctx, line, portChoice);

    EnumerateFurtherPorts(ctx);
    ListFurtherPorts(state);
    ScanFurtherPorts(ctx, line, portChoice);

    SetProgress(ctx, 100);
    const bool brokenOff = LibraryGivenUp(ctx);
    ctx.status.showStatus(QStringLiteral("Das KartoCheck Ergebnis wird angezeigt"));
    view.refresh(state.ui);
    view.showScanResult(FillScanResult(state.tables, int(state.ui.listEntries.size()), brokenOff));

    state.ui.buttonEnabled[2] = true;
    ShowFrameX(state.ui, kFrameStatus);
    ctx.status.showStatus(kTerminalStatusShownText);
    ShowFirstSlotWithData(ctx, portChoice);
    // The person is left with why the search stopped, not with a status that hides it.
    if (brokenOff)
        ctx.status.showStatus(ctx.session.lastLoss());
    SetProgress(ctx, 0);
    SetBusy(ctx, false);
}

} // namespace kc
