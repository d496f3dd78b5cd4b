#include "diagnose_command.h"

#include "base/card_display.h"
#include "command_line.h"
#include "console_io.h"
#include "console_main_view.h"
#include "console_run.h"
#include "console_views.h"
#include "core_application.h"
#include "discovery/qt_serial_line.h"
#include "presenter/dispatcher.h"

#include <optional>

namespace kc::cli {
namespace {

struct DiagnoseOptions {
    uint16_t pn = 0;
    bool trace = false;
};

std::optional<DiagnoseOptions> ParseDiagnoseOptions(const QStringList& args, Console& console) {
    DiagnoseOptions options;
    bool havePort = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--trace")) {
            options.trace = true;
            continue;
        }
        const std::optional<uint16_t> pn = havePort ? std::nullopt : ParsePortNumber(arg);
        if (!pn) {
            console.writeLine(QStringLiteral("Unbekannte Angabe: ") + arg);
            return std::nullopt;
        }
        options.pn = *pn;
        havePort = true;
    }
    if (!havePort) {
        console.writeLine(QStringLiteral("Die Portnummer fehlt."));
        return std::nullopt;
    }
    return options;
}

} // namespace

int RunDiagnoseCommand(const QStringList& args, Console& console) {
    const std::optional<DiagnoseOptions> options = ParseDiagnoseOptions(args, console);
    if (!options) {
        console.writeLine(QStringLiteral("Aufruf: kartocheck-cli diagnose PN [--trace]"));
        return kUsageStatus;
    }
    const auto application = MakeCoreApplication();
    ConsoleRun run(console, options->trace);
    Context context{run.state, run.session, run.boxes, run.status, run.pump};
    ConsoleMainView view(console);
    NoClipboard clipboard;
    QtSerialLine line;
    Dispatcher dispatcher(context, view, clipboard, line);

    AppState& state = run.state;
    const int slot = SlotOfPort(options->pn);
    state.SelectedPort = options->pn;
    state.SelectedSlot = slot;
    dispatcher.PressCommandButton(kDiagnosisButton);

    PrintStatusPage(console, state.ui.statusPages, slot);
    if (state.tables.terminal[slot].HasCardData) {
        ShowInsuredRecord(state.tables, slot, state.ui.card);
        PrintCardView(console, state.ui.card);
    }
    return state.tables.terminal[slot].Responding ? 0 : 1;
}

} // namespace kc::cli
