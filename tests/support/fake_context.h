// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/app_state.h"
#include "base/context.h"
#include "fake_ctapi.h"
#include "fake_ui.h"
#include "terminal/ctapi_provider.h"
#include "terminal/terminal_session.h"

#include <utility>
#include <vector>

namespace kc::test {

// The fixed CT-API; a test reports its library lost by setting loss, taken at the next ask.
struct LosableProvider : FixedCtApiProvider {
    using FixedCtApiProvider::FixedCtApiProvider;
    QString takeLibraryLoss() override { return std::exchange(loss, QString()); }
    QString loss;
};

// The program's context on a CT-API of the test's kind, the person replaced
// by fakes; a library fault that would end the program is only recorded.
template <class Api> struct ContextOn {
    ContextOn() {
        session.setFatalExit([this](int exitStatus) { fatalExits.push_back(exitStatus); });
        session.setStatusLine(&status);
    }

    Api api;
    LosableProvider provider{api};
    AppState state;
    ScriptedMessageBoxes boxes;
    RecordingStatusLine status;
    CountingEventPump pump;
    RecordingLamps lamps;
    TerminalSession session{provider, state.tables, boxes, pump, &lamps};
    Context ctx{state, session, boxes, status, pump};
    std::vector<int> fatalExits;
};

using FakeContext = ContextOn<FakeCtApi>;

} // namespace kc::test
