// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc {

struct AppState;
class MessageBoxes;
class Clipboard;

// Who asked the main window to close: the person through the close box or
// the system menu, or the program itself ("&Beenden", a deferred close, the
// declined first-use window).
enum class CloseReason { User, Program };

// The exit rule once no action runs (a close during an action is deferred
// by the dispatcher first). The person is asked only when they closed the
// window themselves and did not decline the first-use window; the
// clipboard, which may hold insured-person data, is emptied on every exit.
// Returns whether the window may close.
bool ConfirmExit(AppState& state, CloseReason reason, MessageBoxes& boxes, Clipboard& clipboard);

} // namespace kc
