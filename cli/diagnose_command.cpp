// SPDX-License-Identifier: Apache-2.0
#include "diagnose_command.h"

#include "base/card_display.h"
#include "chosen_port.h"
#include "console_main_view.h"
#include "console_run.h"
#include "console_views.h"
#include "discovery/qt_serial_line.h"
#include "explaining_serial_line.h"
#include "presenter/dispatcher.h"

namespace kc::cli {

int RunDiagnoseCommand(ConsoleRun& run, const CommandLine& line) {
    PrepareValidation(run, line.read);
    ConsoleMainView view(run.console, true);
    NoClipboard clipboard;
    QtSerialLine serial;
    ExplainingSerialLine explained(serial, run.console);
    Dispatcher dispatcher(run.ctx, view, clipboard, explained);

    AppState& state = run.state;
    ChoosePort(state, line.pn);
    const int slot = state.SelectedSlot;
    dispatcher.PressCommandButton(kDiagnosisButton);

    PrintStatusPage(run.console, state.ui.statusPages, slot);
    if (state.tables.terminal[slot].HasCardData) {
        ShowInsuredRecord(state.tables, slot, state.ui.card);
        PrintCardView(run.console, state.ui.card);
    }
    return run.statusAfterRun(CardDataStatus(state.tables, {slot}));
}

} // namespace kc::cli
