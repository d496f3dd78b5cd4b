// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/app_state.h"
#include "base/context.h"
#include "fake_ctapi.h"
#include "fake_ui.h"
#include "terminal/ctapi_provider.h"
#include "terminal/terminal_session.h"

namespace kc::test {

// The program's context on a scripted CT-API, the person replaced by fakes.
struct FakeContext {
    FakeCtApi api;
    FixedCtApiProvider provider{api};
    AppState state;
    ScriptedMessageBoxes boxes;
    RecordingStatusLine status;
    CountingEventPump pump;
    RecordingLamps lamps;
    TerminalSession session{provider, state.tables, boxes, pump, &lamps};
    Context ctx{state, session, boxes, status, pump};
};

} // namespace kc::test
