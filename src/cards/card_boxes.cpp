// SPDX-License-Identifier: Apache-2.0
#include "cards/card_boxes.h"

namespace kc {

QString JoinLines(const QStringList& texts) {
    return texts.join(kCrLf);
}

void ShowCardError(MessageBoxes& boxes, const QString& text) {
    boxes.inform(text, MsgIcon::Critical);
}

ReadResult AskRetry(MessageBoxes& boxes, const QString& text, MsgIcon icon) {
    const MsgAnswer answer = boxes.ask({text, kBoxTitle, MsgButtons::YesNo, icon, false});
    return answer == MsgAnswer::Yes ? ReadResult::TryAgain : ReadResult::Failed;
}

bool ConfirmWithNoDefault(MessageBoxes& boxes, const QString& text) {
    return boxes.ask({text, kBoxTitle, MsgButtons::YesNo, MsgIcon::Question, true}) == MsgAnswer::Yes;
}

} // namespace kc
