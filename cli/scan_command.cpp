#include "scan_command.h"

#include "base/card_display.h"
#include "command_line.h"
#include "console_io.h"
#include "console_main_view.h"
#include "console_run.h"
#include "console_views.h"
#include "core_application.h"
#include "discovery/qt_serial_line.h"
#include "presenter/dispatcher.h"
#include "search_status_line.h"

namespace kc::cli {
namespace {

void PrintStatusPages(Console& console, const AppState& state) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        console.writeLine();
        console.writeLine(QStringLiteral("--- ") + state.ui.tabCaptions[std::size_t(slot - 1)] +
                          QStringLiteral(" ---"));
        PrintStatusPage(console, state.ui.statusPages, slot);
    }
}

void PrintFurtherPorts(Console& console, const AppState& state) {
    console.writeLine();
    console.writeLine(QStringLiteral("Weitere Schnittstellen:"));
    if (state.ui.listEntries.isEmpty())
        console.writeLine(QStringLiteral("  (keine)"));
    for (const QString& entry : state.ui.listEntries)
        console.writeLine(QStringLiteral("  ") + entry);
}

// The first slot that holds card data; slot 5 holds the last further port.
int FirstSlotWithData(const SlotTables& tables) {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (tables.terminal[slot].HasCardData)
            return slot;
    return 0;
}

bool AnyTerminalAnswered(const AppState& state) {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (state.tables.terminal[slot].Responding)
            return true;
    return false;
}

} // namespace

int RunScanCommand(const QStringList& args, Console& console) {
    bool trace = false;
    for (const QString& arg : args) {
        if (arg != QLatin1String("--trace")) {
            console.writeLine(QStringLiteral("Unbekannte Angabe: ") + arg);
            console.writeLine(QStringLiteral("Aufruf: kartocheck-cli scan [--trace]"));
            return kUsageStatus;
        }
        trace = true;
    }
    const auto application = MakeCoreApplication();
    ConsoleRun run(console, trace);
    SearchStatusLine status(run.status);
    Context context{run.state, run.session, run.boxes, status, run.pump};
    ConsoleMainView view(console);
    NoClipboard clipboard;
    QtSerialLine line;
    Dispatcher dispatcher(context, view, clipboard, line);

    dispatcher.PressCommandButton(kScanButton);

    AppState& state = run.state;
    PrintStatusPages(console, state);
    PrintFurtherPorts(console, state);
    if (const int slot = FirstSlotWithData(state.tables)) {
        ShowInsuredRecord(state.tables, slot, state.ui.card);
        PrintCardView(console, state.ui.card);
    }
    return AnyTerminalAnswered(state) ? 0 : 1;
}

} // namespace kc::cli
