// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"

#include "sim_harness.h"
#include "terminal/hex_codec.h"

#include <QFile>
#include <QMap>

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

QString Tlv(int tag, const QByteArray& value) {
    QByteArray object;
    object.append(char(tag));
    object.append(char(value.size()));
    object.append(value);
    return BytesToHex(object);
}

QString HandheldAdditions(const QByteArray& readDate, const QByteArray& approval, int checksumDelta) {
    const QString partial = Tlv(0x91, readDate) + Tlv(0x92, approval) + QStringLiteral("9301");
    const int checksum = HexXorChecksum(partial, 1, int(partial.size()) - 1) ^ checksumDelta;
    return partial + BytesToHex(QByteArray(1, char(checksum)));
}

// A box from a case file: its first character gives the kind ('?' question,
// '!' stop, 'i' information, 'P' OK/cancel prompt with cancel as default,
// 'Q' question with No as default, otherwise a yes/no stop).
static QString BoxOf(const QString& coded) {
    const QString text = coded.mid(1);
    switch (coded[0].toLatin1()) {
    case '?':
        return Box(text, MsgButtons::YesNo, MsgIcon::Question);
    case '!':
        return Stop(text);
    case 'i':
        return Box(text, MsgButtons::Ok, MsgIcon::Information);
    case 'P':
        return Box(text, MsgButtons::OkCancel, MsgIcon::Exclamation, true);
    case 'Q':
        return Box(text, MsgButtons::YesNo, MsgIcon::Question, true);
    default:
        return Box(text, MsgButtons::YesNo, MsgIcon::Critical);
    }
}

void Prepare(SimHarness& h, const QString& what, uint16_t pn) {
    TerminalInfo& info = h.state.tables.terminal[SlotOfPort(pn)];
    InsuredRecord& fields = h.state.tables.insured[SlotOfPort(pn)];
    EgkResults& egk = h.state.tables.egk[SlotOfPort(pn)];
    if (what == QLatin1String("egk"))
        info.IsEgk = true;
    if (what == QLatin1String("locked"))
        info.IsLocked = true;
    if (what == QLatin1String("stale"))
        fields[Vorname] = h.state.ui.card.values[7] = QStringLiteral("alt");
    if (what == QLatin1String("keepname"))
        fields[Familienname] = QStringLiteral("vorher");
    if (what == QLatin1String("oldstatus"))
        egk.VsdStatus = QStringLiteral("alt");
    if (what == QLatin1String("oldserial"))
        egk.IccSerialNumber = QStringLiteral("unverändert");
    if (what == QLatin1String("validate"))
        h.state.ValidationEnabled = true;
    if (what == QLatin1String("mobile")) {
        info.IsMobile = true;
        info.CtType = QStringLiteral("QMT3");
    }
    if (what == QLatin1String("responding"))
        info.Responding = true;
    if (what == QLatin1String("open") || what == QLatin1String("scanned")) {
        ASSERT_EQ(h.session.OpenTerminal(pn), 0);
    }
    if (what == QLatin1String("scanned")) {
        static_cast<void>(h.session.CloseTerminal()); // only the next opening matters
        h.clearLog();
    }
}

QString Seen(SimHarness& h, const QString& what, uint16_t pn) {
    const TerminalInfo& info = h.state.tables.terminal[SlotOfPort(pn)];
    const EgkResults& egk = h.state.tables.egk[SlotOfPort(pn)];
    const QStringList log = h.apduLog();
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    const QMap<QString, QString> seen{
        {QStringLiteral("mobile"), flag(info.IsMobile)},
        {QStringLiteral("egk"), flag(info.IsEgk)},
        {QStringLiteral("open"), flag(h.session.SessionOpen())},
        {QStringLiteral("present"), flag(h.simulator().cardPresent(pn))},
        {QStringLiteral("model"), info.ModelText.str().trimmed()},
        {QStringLiteral("type"), info.CtType.str()},
        {QStringLiteral("medium"), info.OutputMedium.str().trimmed()},
        {QStringLiteral("serial"), egk.IccSerialNumber},
        {QStringLiteral("status"), QString::number(egk.VsdStatus.size())},
        {QStringLiteral("vsd"), egk.VsdStatus},
        {QStringLiteral("gvd"), flag(!egk.GvdElementList[0].name.isEmpty())},
        {QStringLiteral("xml0"), egk.EgkXmlText[0]},
        {QStringLiteral("xml2"), egk.EgkXmlText[2]},
        {QStringLiteral("log"), log.join(QLatin1Char(','))},
        {QStringLiteral("logend"), log.mid(log.size() - 3).join(QLatin1Char(','))},
        {QStringLiteral("ui7"), h.state.ui.card.values[7]},
    };
    if (what.startsWith(QLatin1String("sent:")))
        return flag(log.contains(what.mid(5)));
    return seen.value(what, h.state.tables.insured[SlotOfPort(pn)][what.toUInt()]);
}

QStringList BoxesOf(const QString& field) {
    QStringList boxes;
    for (const QString& box : Items(field))
        boxes += BoxOf(box);
    return boxes;
}

void ExpectSeen(SimHarness& h, const QString& checks, uint16_t pn) {
    for (const QString& check : Items(checks))
        EXPECT_EQ(Seen(h, check.section(QLatin1Char('='), 0, 0), pn), check.section(QLatin1Char('='), 1, -1))
            << qPrintable(check);
}

ReadResult ResultOf(const QString& name) {
    if (name == QLatin1String("Done"))
        return ReadResult::Done;
    if (name == QLatin1String("TryAgain"))
        return ReadResult::TryAgain;
    return name == QLatin1String("Refused") ? ReadResult::Refused : ReadResult::Failed;
}

} // namespace kc::test
