#pragma once

#include "test_printers.h"

#include <QByteArray>
#include <QString>

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

} // namespace kc::test
