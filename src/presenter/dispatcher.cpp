// SPDX-License-Identifier: Apache-2.0
#include "presenter/dispatcher.h"

#include "base/app_state.h"
#include "base/card_display.h"
#include "base/context.h"
#include "base/main_view.h"
#include "base/progress.h"
#include "base/status_line.h"
#include "base/status_texts.h"
#include "cards/read_loop.h"
#include "discovery/command_buttons.h"
#include "discovery/diagnosis.h"
#include "discovery/port_names.h"
#include "discovery/port_test.h"
#include "presenter/scan_action.h"
#include "terminal/terminal_session.h"

namespace kc {
namespace {

// Actions on the chosen port need one; none is chosen before the first scan.
bool PortChosen(const AppState& state) {
    return state.SelectedSlot >= 1 && state.SelectedSlot <= kSlotCount;
}

} // namespace

Dispatcher::Dispatcher(Context& ctx, MainView& view, Clipboard& clipboard, SerialLine& line)
    : ctx_(ctx), view_(view), clipboard_(clipboard), line_(line),
      portChoice_(
          ctx, [this](int button) { PressCommandButton(button); },
          [this](uint16_t pn) { return testListedPort(pn); }) {}

void Dispatcher::PressCommandButton(int index, const ActionOptions& options) {
    if (ctx_.state.ActionRunning)
        return;
    prologue();
    if (!options.before || options.before())
        runAction(index, options.stored);
    epilogue();
}

void Dispatcher::ShowTerminalStatusAction() {
    ShowFrameX(ctx_.state.ui, kFrameStatus);
    ctx_.status.showStatus(kTerminalStatusShownText);
}

void Dispatcher::optionClicked(int option) {
    if (!ctx_.state.ActionRunning)
        portChoice_.optionClicked(option);
}

void Dispatcher::tabClicked(int tab) {
    if (!ctx_.state.ActionRunning)
        portChoice_.tabClicked(tab);
}

void Dispatcher::listClicked(int row) {
    if (!ctx_.state.ActionRunning)
        portChoice_.listClicked(row);
}

// The port test of a list pick runs like an action: the tool bar is locked
// and a close asked for meanwhile ends the program instead of the read.
bool Dispatcher::testListedPort(uint16_t pn) {
    AppState& state = ctx_.state;
    prologue();
    SetBusy(ctx_, true);
    ctx_.status.showStatus(PortTestingText(pn));
    TestPort(ctx_, line_, pn);
    UpdateCommandButtons(state, SlotOfPort(pn));
    SetBusy(ctx_, false);
    const bool closing = state.ExitPending;
    epilogue();
    return !closing;
}

void Dispatcher::prologue() {
    AppState& state = ctx_.state;
    state.ui.validationItemEnabled = false;
    state.ui.newSchemaItemEnabled = false;
    state.ui.toolbarEnabled = false;
    state.ActionRunning = true;
    ctx_.session.beginAction();
    view_.refresh(state.ui);
}

void Dispatcher::epilogue() {
    AppState& state = ctx_.state;
    if (ctx_.session.SessionOpen())
        ctx_.session.ResetAndCloseTerminal();
    state.ui.newSchemaItemEnabled = state.ValidationEnabled;
    state.ui.validationItemEnabled = true;
    state.ActionRunning = false;
    state.ui.toolbarEnabled = true;
    view_.refresh(state.ui);
    if (state.ExitPending) {
        state.ExitPending = false;
        view_.requestClose();
    }
}

void Dispatcher::runAction(int index, StoredCardData stored) {
    AppState& state = ctx_.state;
    const bool portChosen = PortChosen(state);
    switch (index) {
    case kScanButton:
        RunScan(ctx_, line_, view_, portChoice_);
        break;
    case kDiagnosisButton:
        ShowFrameX(state.ui, kFrameEmpty);
        ctx_.status.showStatus(QStringLiteral("Überprüft die ausgewählte Schnittstelle im Dialog"));
        if (portChosen)
            RunDiagnosis(ctx_, line_, state.SelectedPort,
                         [this](int option) { portChoice_.selectOption(option); });
        break;
    case kStatusButton:
        ShowTerminalStatusAction();
        break;
    case kReadCardButton:
        if (portChosen)
            readSelectedPort(stored);
        break;
    case kCopyButton:
        ctx_.status.showStatus(
            QStringLiteral("Die Krankenversichertendaten wurden in die Zwischenablage kopiert"));
        if (portChosen)
            CopyInsuredRecord(state.tables, state.SelectedSlot, clipboard_);
        break;
    case kResetDisplayButton:
        ctx_.status.showStatus(QStringLiteral("Die Anzeigefelder wurden zurückgesetzt"));
        if (portChosen)
            ResetSlotDisplay(state.tables, state.SelectedSlot, state.ui.card);
        break;
    default:
        break;
    }
}

// Button 3: stored data are shown again without touching the terminal,
// unless the caller wants the card read anew.
void Dispatcher::readSelectedPort(StoredCardData stored) {
    AppState& state = ctx_.state;
    SetBusy(ctx_, true);
    AdvanceProgress(ctx_, 25);
    ShowFrameX(state.ui, kFrameCardData);
    const QString suffix = InterfaceTextOfPort(state.SelectedPort);
    if (stored == StoredCardData::ReadAgain || !state.tables.terminal[state.SelectedSlot].HasCardData)
        RunReadLoop(ctx_, state.SelectedPort, state.SelectedSlot, suffix, [this] { SetProgress(ctx_, 75); });
    AdvanceProgress(ctx_, 15);
    ShowInsuredRecord(state.tables, state.SelectedSlot, state.ui.card);
    AdvanceProgress(ctx_, 10);
    ctx_.status.showStatus(kCardDataShownText);
    SetProgress(ctx_, 0);
    SetBusy(ctx_, false);
}

void Dispatcher::egkInfoClicked() {
    const int slot = ctx_.state.SelectedSlot;
    if (slot >= 1 && slot <= kSlotCount)
        view_.showEgkInfo(slot);
}

bool Dispatcher::deferCloseWhileRunning() {
    if (!ctx_.state.ActionRunning)
        return false;
    ctx_.state.ExitPending = true;
    return true;
}

} // namespace kc
