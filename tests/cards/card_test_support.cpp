#include "card_test_support.h"

#include "sim_harness.h"
#include "terminal/hex_codec.h"

#include <QFile>

namespace kc::test {

std::unique_ptr<SimHarness> Harness(const QString& scenario) {
    auto h = std::make_unique<SimHarness>();
    const bool loaded =
        scenario.endsWith(QLatin1String(".scn")) ? h->loadFile(scenario) : h->loadText(scenario);
    if (!loaded)
        ADD_FAILURE() << qPrintable(scenario + QStringLiteral(": ") + h->loadError());
    return h;
}

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

QStringList Shown(const std::vector<MessageRequest>& boxes) {
    QStringList lines;
    for (const MessageRequest& box : boxes)
        lines.append(QString::fromStdString(::testing::PrintToString(box)));
    return lines;
}

QString Box(const QString& text, MsgButtons buttons, MsgIcon icon, bool secondDefault) {
    return Shown({MessageRequest{text, kBoxTitle, buttons, icon, secondDefault}}).first();
}

} // namespace kc::test
