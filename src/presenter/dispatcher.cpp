#include "presenter/dispatcher.h"

#include "base/app_state.h"
#include "base/card_display.h"
#include "base/context.h"
#include "base/main_view.h"
#include "base/progress.h"
#include "base/status_line.h"
#include "cards/read_loop.h"
#include "discovery/diagnosis.h"
#include "presenter/scan_action.h"
#include "terminal/terminal_session.h"

namespace kc {
namespace {

const QString kShownText = QStringLiteral("Die Krankenversichertendaten werden angezeigt");

} // namespace

Dispatcher::Dispatcher(Context& context, MainView& view, Clipboard& clipboard, SerialLine& line)
    : context_(context), view_(view), clipboard_(clipboard), line_(line),
      portChoice_(context, [this](int button) { PressCommandButton(button); }) {}

void Dispatcher::PressCommandButton(int index) {
    if (context_.state.ActionRunning)
        return;
    Prologue();
    RunAction(index);
    Epilogue();
}

void Dispatcher::ListClicked(int row) {
    if (!context_.state.ActionRunning)
        portChoice_.ListClicked(row);
}

void Dispatcher::Prologue() {
    AppState& state = context_.state;
    state.ui.validationItemEnabled = false;
    state.ui.newSchemaItemEnabled = false;
    state.ui.toolbarEnabled = false;
    state.ActionRunning = true;
    view_.refresh(state.ui);
}

void Dispatcher::Epilogue() {
    AppState& state = context_.state;
    if (context_.session.SessionOpen())
        context_.session.ResetAndCloseTerminal();
    state.ui.newSchemaItemEnabled = state.ui.validationChecked;
    state.ui.validationItemEnabled = true;
    state.ActionRunning = false;
    state.ui.toolbarEnabled = true;
    view_.refresh(state.ui);
    if (state.ExitPending) {
        state.ExitPending = false;
        view_.requestClose();
    }
}

void Dispatcher::RunAction(int index) {
    AppState& state = context_.state;
    // Actions on the chosen port need one; none is chosen before the first scan.
    const bool portChosen = state.SelectedSlot >= 1 && state.SelectedSlot <= kSlotCount;
    switch (index) {
    case kScanButton: RunScan(context_, line_, view_, portChoice_); break;
    case kDiagnosisButton:
        ShowFrameX(state.ui, kFrameEmpty);
        context_.status.showStatus(QStringLiteral("Überprüft die ausgewählte Schnittstelle im Dialog"));
        if (portChosen)
            RunDiagnosis(context_, line_, state.SelectedPort,
                         [this](int option) { portChoice_.SelectOption(option); });
        break;
    case kStatusButton:
        ShowFrameX(state.ui, kFrameStatus);
        context_.status.showStatus(QStringLiteral("Der MKT Status wird angezeigt"));
        break;
    case kReadCardButton:
        if (portChosen)
            ReadSelectedPort();
        break;
    case kCopyButton:
        context_.status.showStatus(QStringLiteral("Die Krankenversichertendaten wurden in die Zwischenablage kopiert"));
        if (portChosen)
            CopyInsuredRecord(state.tables, state.SelectedSlot, clipboard_);
        break;
    case kResetDisplayButton:
        context_.status.showStatus(QStringLiteral("Die Anzeigefelder wurden zurückgesetzt"));
        if (portChosen)
            ResetSlotDisplay(state.tables, state.SelectedSlot, state.ui.card);
        break;
    default: break;
    }
}

// Button 3: stored data are shown again without touching the terminal.
void Dispatcher::ReadSelectedPort() {
    AppState& state = context_.state;
    SetBusy(context_, true);
    AdvanceProgress(context_, 25);
    ShowFrameX(state.ui, kFrameCardData);
    const QString suffix = InterfaceTextOfPort(state.SelectedPort);
    if (!state.tables.terminal[state.SelectedSlot].HasCardData)
        RunReadLoop(context_, state.SelectedPort, state.SelectedSlot, suffix, [this] { SetProgress(context_, 75); });
    AdvanceProgress(context_, 15);
    ShowInsuredRecord(state.tables, state.SelectedSlot, state.ui.card);
    AdvanceProgress(context_, 10);
    context_.status.showStatus(kShownText);
    SetProgress(context_, 0);
    SetBusy(context_, false);
}

void Dispatcher::EgkInfoClicked() {
    const int slot = context_.state.SelectedSlot;
    if (slot >= 1 && slot <= kSlotCount)
        view_.showEgkInfo(slot);
}

bool Dispatcher::DeferCloseWhileRunning() {
    if (!context_.state.ActionRunning)
        return false;
    context_.state.ExitPending = true;
    return true;
}

} // namespace kc
