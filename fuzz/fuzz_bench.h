#pragma once

#include "base/app_state.h"
#include "base/context.h"
#include "fake_ctapi.h"
#include "fake_ui.h"
#include "terminal/ctapi_provider.h"
#include "terminal/terminal_session.h"

#include <vector>

namespace kc::fuzz {

// Everything a flow needs, fresh for each input: the terminal is a fake
// library, every box gets its default button, a library fault that would end
// the program is only recorded.
struct FuzzBench {
    FuzzBench() {
        session.setFatalExit([this](int exitStatus) { fatalExits.push_back(exitStatus); });
    }

    test::FakeCtApi api;
    FixedCtApiProvider provider{api};
    AppState state;
    test::ScriptedMessageBoxes boxes;
    test::RecordingStatusLine status;
    test::CountingEventPump pump;
    TerminalSession session{provider, state.tables, boxes, pump};
    Context ctx{state, session, boxes, status, pump};
    std::vector<int> fatalExits;
};

} // namespace kc::fuzz
