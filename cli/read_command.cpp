#include "read_command.h"

#include "base/card_display.h"
#include "base/program_folder.h"
#include "cards/read_loop.h"
#include "command_line.h"
#include "console_io.h"
#include "console_run.h"
#include "console_views.h"
#include "egk/schema_texts.h"
#include "egk_views.h"
#include "read_options.h"

namespace kc::cli {
namespace {

// What the window does at start and through its menu before reading.
void PrepareValidation(ConsoleRun& run, const ReadOptions& options) {
    LoadSchemaTexts(run.state, ProgramFolder());
    if (options.validate)
        ClickValidationItem(run.state, run.boxes);
    for (int k = 0; k < int(options.schemaFiles.size()); ++k)
        ReplaceSchemaText(run.state, k, options.schemaFiles[std::size_t(k)]);
}

} // namespace

int RunReadCommand(const QStringList& args, Console& console) {
    const std::optional<ReadOptions> options = ParseReadOptions(args, console);
    if (!options) {
        console.writeLine(UsageText());
        return kUsageStatus;
    }
    ConsoleRun run(console, options->trace);
    PrepareValidation(run, *options);
    AppState& state = run.state;
    state.SelectedPort = options->pn;
    state.SelectedSlot = SlotOfPort(options->pn);
    ShowFrameX(state.ui, kFrameCardData);

    const int16_t result =
        RunReadLoop(run.ctx, state.SelectedPort, state.SelectedSlot, InterfaceTextOfPort(state.SelectedPort));
    ShowInsuredRecord(state.tables, state.SelectedSlot, state.ui.card);
    ShowTerminalStatus(state.tables, state.SelectedSlot, state.ui.statusPages);
    run.status.showStatus(QStringLiteral("Die Krankenversichertendaten werden angezeigt"));
    run.finishAction();

    PrintCardView(console, state.ui.card);
    PrintStatusPage(console, state.ui.statusPages, state.SelectedSlot);
    if (state.tables.terminal[state.SelectedSlot].IsEgk)
        PrintEgkInfo(console, state.tables, state.SelectedSlot, options->xml);
    return result == 0 ? 0 : 1;
}

} // namespace kc::cli
