#include "console_run.h"

#include "console_io.h"

#include <cstdlib>

namespace kc::cli {

constexpr int kLibraryFaultStatus = 2;

ConsoleRun::ConsoleRun(Console& console_, bool trace)
    : console(console_), provider(console_, trace), boxes(console_), status(console_),
      session(provider, state.tables, boxes, pump), ctx{state, session, boxes, status, pump} {
    session.setFatalExit([](int) { std::exit(kLibraryFaultStatus); });
    session.setStatusLine(&status);
}

void ConsoleRun::finishAction() {
    if (session.SessionOpen())
        session.ResetAndCloseTerminal();
}

} // namespace kc::cli
