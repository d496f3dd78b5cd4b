// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/message_boxes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

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

// Asserts every property of a box the person sees.
::testing::AssertionResult IsBox(const MessageRequest& shown, const QString& text, const QString& title,
                                 MsgButtons buttons, MsgIcon icon, bool secondButtonDefault = false);

// Style 16: OK, critical stop, " KartoCheck ".
::testing::AssertionResult IsErrorBox(const MessageRequest& shown, const QString& text);

} // namespace kc::test
