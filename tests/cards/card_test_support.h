#pragma once

#include "base/message_boxes.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

namespace kc::test {

// A record of tests/data/kvk as hex text, without the line break.
QString KvkRecordFile(const QString& name);

// Bytes as upper-case hex; a text is taken as its Latin-1 bytes.
QString Hex(const QByteArray& bytes);

// A data object: tag, one length byte, value.
QString Tlv(int tag, const QByteArray& value);

// The additions a handheld appends to a record: read date, approval number
// and the checksum object; `checksumDelta` spoils the checksum when non-zero.
QString HandheldAdditions(const QByteArray& readDate, const QByteArray& approval, int checksumDelta = 0);

// Asserts every property of a box the person sees.
::testing::AssertionResult IsBox(const MessageRequest& shown, const QString& text, const QString& title,
                                 MsgButtons buttons, MsgIcon icon, bool secondButtonDefault = false);

// Style 16: OK, critical stop, " KartoCheck ".
::testing::AssertionResult IsErrorBox(const MessageRequest& shown, const QString& text);

} // namespace kc::test

// Readable QStrings in test failure output.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
