// SPDX-License-Identifier: Apache-2.0
#include "scan_command.h"

#include "base/card_display.h"
#include "console_dispatcher.h"
#include "console_io.h"
#include "console_run.h"
#include "console_views.h"
#include "json_report.h"
#include "presenter/library_info.h"
#include "presenter/scan_result.h"
#include "search_status_line.h"

namespace kc::cli {
namespace {

void PrintStatusPages(Console& console, const AppState& state) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        console.data.writeLine();
        console.data.writeLine(QStringLiteral("--- ") + state.ui.tabCaptions[std::size_t(slot - 1)] +
                               QStringLiteral(" ---"));
        PrintStatusPage(console, state.ui.statusPages, slot);
    }
}

void PrintFurtherPorts(Console& console, const AppState& state) {
    console.data.writeLine();
    console.data.writeLine(QStringLiteral("Weitere Schnittstellen:"));
    if (state.ui.listEntries.isEmpty())
        console.data.writeLine(QStringLiteral("  (keine)"));
    for (const QString& entry : state.ui.listEntries)
        console.data.writeLine(QStringLiteral("  ") + entry);
}

// The first slot that holds card data; slot 5 holds the last further port.
int FirstSlotWithData(const SlotTables& tables) {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (tables.terminal[slot].HasCardData)
            return slot;
    return 0;
}

// COM 1 to 4, and slot 5 with the last further port when one was tested.
std::vector<ReportedPort> ScannedPorts(const AppState& state) {
    std::vector<ReportedPort> ports;
    for (int slot = 1; slot < kFurtherSlot; ++slot)
        ports.push_back({uint16_t(slot), slot});
    if (const auto count = state.ui.listEntries.size(); count > 0)
        ports.push_back({state.tables.furtherPorts[1][std::size_t(count - 1)], kFurtherSlot});
    return ports;
}

} // namespace

int RunScanCommand(ConsoleRun& run, const CommandLine& line) {
    PrepareValidation(run, line.read);
    SearchStatusLine status(run.status);
    Context context{run.state, run.session, run.boxes, status, run.pump};
    ConsoleDispatcher console(run.console, context, !run.options.json);
    console.dispatcher.PressCommandButton(kScanButton);

    AppState& state = run.state;
    const std::vector<ReportedPort> ports = ScannedPorts(state);
    std::vector<int> scanned;
    for (const ReportedPort& port : ports)
        scanned.push_back(port.slot);
    // A search broken off found out nothing a script could rely on.
    const bool brokenOff = run.session.libraryGivenUp();
    const int exitStatus =
        run.statusAfterRun(brokenOff ? kStatusNoCardData : CardDataStatus(state.tables, scanned));
    const QStringList notices = brokenOff ? QStringList{kScanBrokenOffText} : QStringList{};
    if (run.options.json) {
        const ScanResultModel* result = console.view.scanResult() ? &*console.view.scanResult() : nullptr;
        PrintReport(run.console,
                    BuildReport(run, {QStringLiteral("scan"), ports, result, exitStatus, notices},
                                InspectTerminalLibrary()));
        return exitStatus;
    }
    for (const QString& notice : notices)
        run.console.messages.writeLine(notice);
    PrintStatusPages(run.console, state);
    PrintFurtherPorts(run.console, state);
    if (const int slot = FirstSlotWithData(state.tables)) {
        ShowInsuredRecord(state.tables, slot, state.ui.card);
        PrintCardView(run.console, state.ui.card);
    }
    return exitStatus;
}

} // namespace kc::cli
