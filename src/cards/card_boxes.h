// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/message_boxes.h"
#include "base/read_result.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace kc {

// Program texts joined by CR LF, as the card messages are built.
QString JoinLines(const QStringList& texts);

// OK button, critical-stop icon, " KartoCheck ".
void ShowCardError(MessageBoxes& boxes, const QString& text);

// Yes/No: Yes gives TryAgain, anything else Failed.
[[nodiscard]] ReadResult AskRetry(MessageBoxes& boxes, const QString& text, MsgIcon icon = MsgIcon::Question);

// Yes/No with No as the default: true only on Yes.
[[nodiscard]] bool ConfirmWithNoDefault(MessageBoxes& boxes, const QString& text);

} // namespace kc
