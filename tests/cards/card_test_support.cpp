#include "card_test_support.h"

#include "sim_harness.h"
#include "terminal/hex_codec.h"

#include <QFile>

namespace kc::test {

QString KvkRecordFile(const QString& name) {
    QFile file(SimHarness::TestDataDir() + QStringLiteral("/kvk/") + name);
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing test record " << qPrintable(name);
    return QString::fromLatin1(file.readAll()).trimmed();
}

QString Hex(const QByteArray& bytes) {
    return BytesToHex(bytes);
}

QString Tlv(int tag, const QByteArray& value) {
    QByteArray object;
    object.append(char(tag));
    object.append(char(value.size()));
    object.append(value);
    return Hex(object);
}

QString HandheldAdditions(const QByteArray& readDate, const QByteArray& approval, int checksumDelta) {
    const QString partial = Tlv(0x91, readDate) + Tlv(0x92, approval) + QStringLiteral("9301");
    const int checksum = HexXorChecksum(partial, 1, int(partial.size()) - 1) ^ checksumDelta;
    return partial + Hex(QByteArray(1, char(checksum)));
}

::testing::AssertionResult IsBox(const MessageRequest& shown, const QString& text, const QString& title,
                                 MsgButtons buttons, MsgIcon icon, bool secondButtonDefault) {
    if (shown.text != text)
        return ::testing::AssertionFailure()
               << "text \"" << qPrintable(shown.text) << "\" instead of \"" << qPrintable(text) << "\"";
    if (shown.title != title)
        return ::testing::AssertionFailure() << "title \"" << qPrintable(shown.title) << "\"";
    if (shown.buttons != buttons)
        return ::testing::AssertionFailure() << "other buttons (" << int(shown.buttons) << ")";
    if (shown.icon != icon)
        return ::testing::AssertionFailure() << "other icon (" << int(shown.icon) << ")";
    if (shown.secondButtonDefault != secondButtonDefault)
        return ::testing::AssertionFailure() << "other default button";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult IsErrorBox(const MessageRequest& shown, const QString& text) {
    return IsBox(shown, text, QStringLiteral(" KartoCheck "), MsgButtons::Ok, MsgIcon::Critical);
}

} // namespace kc::test
