// SPDX-License-Identifier: Apache-2.0
#include "status_command.h"

#include "base/card_display.h"
#include "chosen_port.h"
#include "console_run.h"
#include "console_views.h"
#include "discovery/qt_serial_line.h"
#include "explaining_serial_line.h"
#include "json_report.h"
#include "presenter/library_info.h"

namespace kc::cli {

int RunStatusCommand(ConsoleRun& run, const CommandLine& line) {
    AppState& state = run.state;
    QtSerialLine serial;
    ExplainingSerialLine explained(serial, run.console);
    ChoosePort(state, line.pn);
    const int slot = state.SelectedSlot;
    TestChosenPort(run.ctx, explained);
    ShowFrameX(state.ui, kFrameStatus);
    run.status.showStatus(QStringLiteral("Der MKT Status wird angezeigt"));
    run.finishAction();

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
