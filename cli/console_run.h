#pragma once

#include "base/app_state.h"
#include "base/context.h"
#include "console_boxes.h"
#include "console_status.h"
#include "terminal/terminal_session.h"
#include "tracing_ctapi.h"

namespace kc::cli {

class Console;

// Everything one console command works with: the run's state, the terminal
// library (traced on request), the console's boxes and status line, and the
// session. A library fault ends the program with status 2 after its box.
class ConsoleRun {
  public:
    ConsoleRun(Console& console, bool trace);

    // What the window does after every action: close a session left open.
    void finishAction();

    Console& console;
    AppState state;
    ConsoleCtApiProvider provider;
    ConsoleMessageBoxes boxes;
    ConsoleStatusLine status;
    ConsoleEventPump pump;
    TerminalSession session;
    Context ctx;
};

} // namespace kc::cli
