// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/app_state.h"
#include "base/context.h"
#include "command_line.h"
#include "console_boxes.h"
#include "console_status.h"
#include "exit_status.h"
#include "terminal/terminal_session.h"
#include "tracing_ctapi.h"

namespace kc::cli {

class Console;
class TraceLog;

// Everything one console command works with: the run's state, the terminal
// library (traced when there is a trace), the console's boxes and status
// line, and the session. A library fault ends the program with status 2
// after its box.
class ConsoleRun {
  public:
    ConsoleRun(Console& console, const RunOptions& options, TraceLog* trace);

    // The exit status for what the run found, unless it ended early.
    int statusAfterRun(int found) const { return StatusAfterRun(found, boxes.runEnd()); }

    Console& console;
    RunOptions options;
    AppState state;
    ConsoleCtApiProvider provider;
    ConsoleMessageBoxes boxes;
    ConsoleStatusLine status;
    ConsoleEventPump pump;
    TerminalSession session;
    Context ctx;
};

// What the window does at start and through its menu before any read:
// schema texts from the program's folder, validation, replaced schemas.
void PrepareValidation(ConsoleRun& run, const ReadOptions& options);

} // namespace kc::cli
