// SPDX-License-Identifier: Apache-2.0
#include "read_command.h"

#include "base/card_display.h"
#include "chosen_port.h"
#include "console_dispatcher.h"
#include "console_io.h"
#include "console_run.h"
#include "console_views.h"
#include "egk_views.h"
#include "json_report.h"
#include "presenter/library_info.h"

namespace kc::cli {
namespace {

// A read needs a terminal: where none answers, asking for a card would send
// the person looking for a terminal that is not there.
QString NoTerminalText(uint16_t pn) {
    return QStringLiteral("An diesem Port antwortet kein Chipkartenterminal. kartocheck-cli diagnose %1 "
                          "führt durch die üblichen Ursachen.")
        .arg(pn);
}

int ReportNoTerminal(ConsoleRun& run, const CommandLine& line, int slot) {
    AppState& state = run.state;
    const int status = run.statusAfterRun(kStatusNoCardData);
    const QString notice = NoTerminalText(line.pn);
    if (run.options.json) {
        PrintReport(
            run.console,
            BuildReport(run,
                        {QStringLiteral("read"), {{line.pn, slot}}, nullptr, status, QStringList{notice}},
                        InspectTerminalLibrary()));
        return status;
    }
    PrintStatusPage(run.console, state.ui.statusPages, slot);
    run.console.messages.writeLine(notice);
    return status;
}

} // namespace

int RunReadCommand(ConsoleRun& run, const CommandLine& line) {
    PrepareValidation(run, line.read);
    AppState& state = run.state;
    ConsoleDispatcher console(run.console, run.ctx, true);
    ChoosePort(state, line.pn);
    const int slot = state.SelectedSlot;
    // Where the library was asked and no terminal answered the action ends
    // on the status tab; a COM port the system does not offer is still read,
    // as the library may reach it. A one-shot read always reads the card.
    bool noTerminal = false;
    const auto testPort = [&] {
        TestChosenPort(run.ctx, console.explained);
        const PortStatus& port = state.tables.port[slot];
        noTerminal = port.PortPresent && !port.PortBusy && !state.tables.terminal[slot].Responding;
        if (noTerminal)
            console.dispatcher.ShowTerminalStatusAction();
        return !noTerminal;
    };
    console.dispatcher.PressCommandButton(kReadCardButton, {StoredCardData::ReadAgain, testPort});
    if (noTerminal)
        return ReportNoTerminal(run, line, slot);
    ShowTerminalStatus(state.tables, slot, state.ui.statusPages);

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
