// SPDX-License-Identifier: Apache-2.0
#include "diagnose_command.h"

#include "base/card_display.h"
#include "chosen_port.h"
#include "console_dispatcher.h"
#include "console_run.h"
#include "console_views.h"

namespace kc::cli {

int RunDiagnoseCommand(ConsoleRun& run, const CommandLine& line) {
    PrepareValidation(run, line.read);
    ConsoleDispatcher console(run.console, run.ctx, true);

    AppState& state = run.state;
    ChoosePort(state, line.pn);
    const int slot = state.SelectedSlot;
    console.dispatcher.PressCommandButton(kDiagnosisButton);

    PrintStatusPage(run.console, state.ui.statusPages, slot);
    if (state.tables.terminal[slot].HasCardData) {
        ShowInsuredRecord(state.tables, slot, state.ui.card);
        PrintCardView(run.console, state.ui.card);
    }
    return run.statusAfterRun(CardDataStatus(state.tables, {slot}));
}

} // namespace kc::cli
