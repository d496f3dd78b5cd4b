// SPDX-License-Identifier: Apache-2.0
#include "read_command.h"

#include "base/card_display.h"
#include "base/program_folder.h"
#include "cards/read_loop.h"
#include "chosen_port.h"
#include "console_run.h"
#include "console_views.h"
#include "discovery/qt_serial_line.h"
#include "egk_views.h"
#include "explaining_serial_line.h"
#include "json_report.h"
#include "presenter/library_info.h"

namespace kc::cli {

int RunReadCommand(ConsoleRun& run, const CommandLine& line) {
    PrepareValidation(run, line.read);
    AppState& state = run.state;
    QtSerialLine serial;
    ExplainingSerialLine explained(serial, run.console);
    ChoosePort(state, line.pn);
    const int slot = state.SelectedSlot;
    TestChosenPort(run.ctx, explained);

    ShowFrameX(state.ui, kFrameCardData);
    RunReadLoop(run.ctx, state.SelectedPort, slot, InterfaceTextOfPort(state.SelectedPort));
    ShowInsuredRecord(state.tables, slot, state.ui.card);
    ShowTerminalStatus(state.tables, slot, state.ui.statusPages);
    run.status.showStatus(QStringLiteral("Die Krankenversichertendaten werden angezeigt"));
    run.finishAction();

    const int status = run.statusAfterRun(CardDataStatus(state.tables, {slot}));
    if (run.options.json) {
        PrintReport(run.console,
                    BuildReport(run, {QStringLiteral("read"), {{line.pn, slot}}, nullptr, status},
                                InspectTerminalLibrary()));
        return status;
    }
    PrintCardView(run.console, state.ui.card);
    PrintStatusPage(run.console, state.ui.statusPages, slot);
    if (state.tables.terminal[slot].IsEgk)
        PrintEgkInfo(run.console, state.tables, slot, line.read.xml);
    return status;
}

} // namespace kc::cli
