// SPDX-License-Identifier: Apache-2.0
#include "console_run.h"

#include "console_io.h"
#include "egk/schema_texts.h"
#include "exit_status.h"
#include "libraries_command.h"
#include "presenter/schema_menu.h"

#include <cstdlib>

namespace kc::cli {

ConsoleRun::ConsoleRun(Console& console_, const RunOptions& options_, TraceLog* trace)
    : console(console_), options(options_), provider(trace),
      boxes(console_, {options_.batch, options_.erase}), status(console_, options_.quiet),
      session(provider, state.tables, boxes, pump), ctx{state, session, boxes, status, pump} {
    session.setFatalExit([](int) { std::exit(kStatusFatal); });
    // After the box: which file was looked for, and where to choose another.
    session.setLibraryMissing([this] {
        console.messages.writeLine(MissingLibraryHint(LibraryCtApiProvider::libraryToLoad()));
        return false;
    });
    session.setStatusLine(&status);
}

void PrepareValidation(ConsoleRun& run, const ReadOptions& options) {
    LoadSchemaTexts(run.state, SchemaFolder());
    if (options.validate)
        ClickValidationItem(run.state, run.boxes);
    for (int k = 0; k < int(options.schemaFiles.size()); ++k)
        ReplaceSchemaText(run.state, k, options.schemaFiles[std::size_t(k)]);
}

} // namespace kc::cli
