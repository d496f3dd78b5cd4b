// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc {

struct AppState;
class TerminalSession;
class MessageBoxes;
class StatusLine;
class EventPump;
class EgkReadHook;

// What a flow needs to do its work and to talk to the person.
struct Context {
    AppState& state;
    TerminalSession& session;
    MessageBoxes& boxes;
    StatusLine& status;
    EventPump& pump;
    // Where the read driver hands over an eGK; null: the built-in eGK readers.
    EgkReadHook* egk = nullptr;
};

} // namespace kc
