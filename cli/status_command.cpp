// SPDX-License-Identifier: Apache-2.0
#include "status_command.h"

#include "chosen_port.h"
#include "console_dispatcher.h"
#include "console_run.h"
#include "console_views.h"
#include "json_report.h"
#include "presenter/library_info.h"

namespace kc::cli {

int RunStatusCommand(ConsoleRun& run, const CommandLine& line) {
    AppState& state = run.state;
    ConsoleDispatcher console(run.console, run.ctx, true);
    ChoosePort(state, line.pn);
    const int slot = state.SelectedSlot;
    // The port test belongs to the action: what the library did in it counts
    // for the session's closing reset.
    console.dispatcher.PressCommandButton(kStatusButton, {StoredCardData::ShowAgain, [&] {
                                                              TestChosenPort(run.ctx, console.explained);
                                                              return true;
                                                          }});

    const int status = run.statusAfterRun(TerminalStatus(state.tables, slot));
    if (run.options.json)
        PrintReport(run.console,
                    BuildReport(run, {QStringLiteral("status"), {{line.pn, slot}}, nullptr, status},
                                InspectTerminalLibrary()));
    else
        PrintStatusPage(run.console, state.ui.statusPages, slot);
    return status;
}

} // namespace kc::cli
