#include "read_command.h"

#include "cards/read_loop.h"
#include "command_line.h"
#include "console_io.h"
#include "console_run.h"
#include "console_views.h"
#include "ui/card_display.h"

namespace kc::cli {
namespace {

struct ReadOptions {
    uint16_t pn = 0;
    bool trace = false;
};

std::optional<ReadOptions> ParseReadOptions(const QStringList& args, Console& console) {
    ReadOptions options;
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

int RunReadCommand(const QStringList& args, Console& console) {
    const std::optional<ReadOptions> options = ParseReadOptions(args, console);
    if (!options) {
        console.writeLine(UsageText());
        return kUsageStatus;
    }
    ConsoleRun run(console, options->trace);
    AppState& state = run.state;
    state.SelectedPort = options->pn;
    state.SelectedSlot = SlotOfPort(options->pn);
    ShowFrameX(state.ui, kFrameCardData);

    const int16_t result = RunReadLoop(run.ctx, state.SelectedPort, state.SelectedSlot,
                                       InterfaceTextOfPort(state.SelectedPort));
    ShowInsuredRecord(state.tables, state.SelectedSlot, state.ui.card);
    ShowTerminalStatus(state.tables, state.SelectedSlot, state.ui.statusPages);
    run.status.showStatus(QStringLiteral("Die Krankenversichertendaten werden angezeigt"));
    run.finishAction();

    PrintCardView(console, state.ui.card);
    PrintStatusPage(console, state.ui.statusPages, state.SelectedSlot);
    return result == 0 ? 0 : 1;
}

} // namespace kc::cli
