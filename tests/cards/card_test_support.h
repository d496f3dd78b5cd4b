#pragma once

#include "sim_harness.h"
#include "test_printers.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace kc::test {

// A harness on a scenario: a name ending in ".scn" is a file of the scenario
// folder, anything else the scenario's text.
std::unique_ptr<SimHarness> Harness(const QString& scenario);

// A record of tests/data/kvk as hex text, without the line break.
QString KvkRecordFile(const QString& name);

// Bytes as upper-case hex; a text is taken as its Latin-1 bytes.
QString Hex(const QByteArray& bytes);

// A data object: tag, one length byte, value.
QString Tlv(int tag, const QByteArray& value);

// The additions a handheld appends to a record: read date, approval number
// and the checksum object; `checksumDelta` spoils the checksum when non-zero.
QString HandheldAdditions(const QByteArray& readDate, const QByteArray& approval, int checksumDelta = 0);

// Boxes as comparable lines with text, title, buttons, icon and default button.
QStringList Shown(const std::vector<MessageRequest>& boxes);
QString Box(const QString& text, MsgButtons buttons, MsgIcon icon, bool secondDefault = false);
inline QString Stop(const QString& text) {
    return Box(text, MsgButtons::Ok, MsgIcon::Critical);
}
inline QString Info(const QString& text) {
    return Box(text, MsgButtons::Ok, MsgIcon::Information);
}
inline QString Ask(const QString& text) {
    return Box(text, MsgButtons::YesNo, MsgIcon::Question);
}

} // namespace kc::test
