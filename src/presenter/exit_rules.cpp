// SPDX-License-Identifier: Apache-2.0
#include "presenter/exit_rules.h"

#include "base/app_state.h"
#include "base/clipboard.h"
#include "base/message_boxes.h"

namespace kc {

bool ConfirmExit(AppState& state, CloseReason reason, MessageBoxes& boxes, Clipboard& clipboard) {
    if (!state.FirstUseQuit && reason == CloseReason::User) {
        const MsgAnswer answer =
            boxes.ask({QStringLiteral(" Möchten Sie das Programm beenden? "),
                       QStringLiteral("Beendet KartoCheck "), MsgButtons::YesNo, MsgIcon::Question, false});
        if (answer != MsgAnswer::Yes)
            return false;
    }
    clipboard.clear();
    return true;
}

} // namespace kc
