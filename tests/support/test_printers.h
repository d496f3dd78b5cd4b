// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/message_boxes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// Failure messages show texts as text, bytes as spaced hex and enums by name.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);
void PrintTo(const QStringList& texts, std::ostream* os);

namespace kc {
void PrintTo(MsgButtons buttons, std::ostream* os);
void PrintTo(MsgIcon icon, std::ostream* os);
void PrintTo(MsgAnswer answer, std::ostream* os);
void PrintTo(const MessageRequest& request, std::ostream* os);
} // namespace kc

namespace kc::test {

// Boxes as comparable lines with text, title, buttons, icon and default button.
QStringList Shown(const std::vector<MessageRequest>& boxes);
QString Box(const QString& text, MsgButtons buttons, MsgIcon icon, bool secondDefault = false,
            const QString& title = kBoxTitle);
inline QString Stop(const QString& text) {
    return Box(text, MsgButtons::Ok, MsgIcon::Critical);
}

} // namespace kc::test
