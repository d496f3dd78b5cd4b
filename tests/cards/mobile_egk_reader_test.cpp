#include "base/card_display.h"
#include "card_test_support.h"
#include "cards/read_insurance_card.h"
#include "egk/mobile_egk_reader.h"
#include "egk/mobile_status_walk.h"
#include "sim_harness.h"
#include "terminal/hex_codec.h"

#include <functional>
#include <gtest/gtest.h>

namespace kc {
namespace {

using test::Info;
using test::Stop;

const QString kSelectHca = QStringLiteral("00A4040C06D27600000102");
const QString kStatusStart =
    QStringLiteral("A019") + QStringLiteral("30323031353038303330373531303500500200000030000004");
const QString kChecksumBox =
    QStringLiteral("Die Prüfsumme der gelesenen eGK VSD Zusatzdaten ist korrupt!!! ");

// The handheld record of the scenarios: read date, approval number ...103 and their XOR (D2).
QByteArray StatusData(const QString& readDate = QStringLiteral("3230303831303130"),
                      const QString& checksum = "D2") {
    return HexToBytes(kStatusStart + QStringLiteral("9108") + readDate +
                      QStringLiteral("921B5A41562D514D54332D5A554C415353554E472D303030302D313033") +
                      QStringLiteral("9301") + checksum);
}

TEST(MobileStatusWalkTest, DecodesTheFourObjectsAndTheirChecksum) {
    MobileVsdRecord record = PresetMobileVsdRecord();
    const StatusWalk walk = WalkMobileStatusData(StatusData(), record);
    EXPECT_TRUE(walk.messages.isEmpty());
    EXPECT_EQ(walk.xorSum, 0xD2);
    EXPECT_TRUE(MobileChecksumMatches(record, walk.xorSum));
    EXPECT_EQ(record[StatusLength], QStringLiteral("19"));
    EXPECT_EQ(record[StatusValue], kStatusStart.mid(4));
    EXPECT_EQ(record[ReadDateValue], QStringLiteral("3230303831303130"));
    EXPECT_EQ(record[ReadDateText], QStringLiteral("20081010"));
    EXPECT_EQ(record[ApprovalLength], QStringLiteral("1B"));
    EXPECT_EQ(record[ApprovalText], QStringLiteral("ZAV-QMT3-ZULASSUNG-0000-103"));
    EXPECT_EQ(record[ChecksumValue], QStringLiteral("D2"));
    EXPECT_EQ(record[StatusTag] + record[ReadDateTag] + record[ApprovalTag] + record[ChecksumTag],
              QStringLiteral("A0919293"));
}

TEST(MobileStatusWalkTest, OverlongObjectsAreCutWithAMessage) {
    MobileVsdRecord record = PresetMobileVsdRecord();
    const QByteArray data = HexToBytes(QStringLiteral("A01A") + kStatusStart.mid(4) + QStringLiteral("FF") +
                                       QStringLiteral("9109") + QStringLiteral("323030383130313039"));
    const StatusWalk walk = WalkMobileStatusData(data, record);
    EXPECT_EQ(record[StatusValue], kStatusStart.mid(4));
    EXPECT_EQ(record[ReadDateValue], QStringLiteral("3230303831303130"));
    EXPECT_EQ(record[ReadDateText], QStringLiteral("20081010"));
    EXPECT_EQ(
        walk.messages,
        QStringList(
            {QStringLiteral("Größere Länge der VSD Statusdaten festgestellt!\r\nEs werden nicht alle Daten "
                            "angezeigt!"),
             QStringLiteral("Größere Länge des Einlesedatums festgestellt!\r\nEs werden nicht alle Daten "
                            "angezeigt!")}));
}

TEST(MobileStatusWalkTest, UnknownTagSkipsOneByte) {
    MobileVsdRecord record = PresetMobileVsdRecord();
    // 7F, then 01 is dropped, then 93 01 AB is read.
    const StatusWalk walk = WalkMobileStatusData(HexToBytes(QStringLiteral("7F019301AB")), record);
    EXPECT_EQ(record[ChecksumValue], QStringLiteral("AB"));
    EXPECT_EQ(walk.xorSum, 0x93 ^ 0x01);
}

TEST(MobileStatusWalkTest, MissingOrWideChecksumIsAChecksumError) {
    struct Case {
        const char* data;
        bool matches;
    };
    const Case cases[] = {
        Case("9301 92", true),    // 93 ^ 01 = 92
        Case("", false),          // no checksum object
        Case("9302 9200", false), // two bytes
        Case("9300", false),      // none at all
        Case("9301", false),      // cut short
    };
    for (const Case& c : cases) {
        MobileVsdRecord record = PresetMobileVsdRecord();
        const StatusWalk walk =
            WalkMobileStatusData(HexToBytes(QString::fromLatin1(c.data).remove(QLatin1Char(' '))), record);
        EXPECT_EQ(MobileChecksumMatches(record, walk.xorSum), c.matches) << c.data;
    }
}

TEST(MobileDerivedFieldsTest, ReadDateAndApprovalNumber) {
    const QString date = QStringLiteral("20081010");
    struct Case {
        DerivedField field;
        std::optional<QString> value;
        QString message;
    };
    const Case cases[] = {
        Case(ReadDateField(date), QStringLiteral("10.10.2008"), {}),
        Case(ReadDateField(QStringLiteral("10102008")), QStringLiteral("10.10.2008"), {}),
        Case(ReadDateField(QStringLiteral("20240315")), QStringLiteral("15.03.2024"), {}),
        Case(ReadDateField(QStringLiteral("15032024")), QStringLiteral("15.03.2024"), {}),
        Case(ReadDateField(QStringLiteral("2008AB10")), std::nullopt,
             QStringLiteral("Unbekanntes Format des Einlesedatums festgestellt!")),
        Case(ReadDateField(QStringLiteral("2008101")), std::nullopt, {}),
        Case(ApprovalNumberField(date, QStringLiteral("ZAV-QMT3-ZULASSUNG-0000-103")), QStringLiteral("103"),
             {}),
        Case(ApprovalNumberField(date, QStringLiteral("X12345")), QStringLiteral("2345"), {}),
        Case(ApprovalNumberField(date, QStringLiteral("7")), QStringLiteral("7"), {}),
        Case(ApprovalNumberField(date, QStringLiteral("103A")), QString(),
             QStringLiteral("Die Zulassungsnummer konnte nicht ermittelt werden!")),
        Case(ApprovalNumberField(QString(), QStringLiteral("103")), std::nullopt,
             QStringLiteral("Unbekanntes Format der Zulassungsnummer festgestellt!")),
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.field.value, c.value) << qPrintable(c.message);
        EXPECT_EQ(c.field.message, c.message);
    }
}

QString Handheld(const QString& extra) {
    return QStringLiteral("[terminal visit]\nports = 1\nkind = handheld\ncard = egk\n"
                          "card.statusvd = @egk/cards/handheld_status_yyyymmdd.hex\n"
                          "card.pd = @egk/cards/EGK_G2_1_80276883110000095711__EF_PD.hex\n"
                          "card.vd = @egk/cards/EGK_G2_1_80276883110000095711__EF_VD.hex\n") +
           extra;
}

using Check = std::function<void(test::SimHarness&)>;

TEST(MobileEgkReaderTest, WhatTheHandheldHoldsAndWhatGoesWrong) {
    const QString checksum = Stop(kChecksumBox);
    struct Case {
        QString scenario;
        ReadResult result;
        QStringList boxes;
        Check check = {};
    };
    const Case cases[] = {
        Case(QStringLiteral("egk/handheld_egk.scn"), ReadResult::Done, {},
             [](test::SimHarness& h) {
                 EXPECT_EQ(h.apduLog(), QStringList({kSelectHca, "00B08C0000", "00B08100000000",
                                                     "00B08200000000", "000E0000", "201501000100"}));
                 const MobileVsdRecord& record = h.state.tables.egk[1].MobileVsd;
                 EXPECT_EQ(record[ReadDateText] + record[ChecksumValue], QStringLiteral("20081010D2"));
                 const InsuredRecord& fields = h.state.tables.insured[1];
                 EXPECT_EQ(fields[Einlesedatum], QStringLiteral("10.10.2008"));
                 EXPECT_EQ(fields[Zulassungsnummer], QStringLiteral("103"));
                 EXPECT_EQ(fields[Familienname], QStringLiteral("Ðoria"));
                 EXPECT_EQ(fields[VKNR], QStringLiteral("17"));
                 EXPECT_EQ(h.state.tables.terminal[1].OutputMedium.str().trimmed(),
                           QStringLiteral("PC (ASN-1)"));
                 EXPECT_FALSE(h.simulator().cardPresent(1));
             }),
        Case(QStringLiteral("egk/handheld_egk_ddmmyyyy.scn"), ReadResult::Done, {},
             [](test::SimHarness& h) {
                 EXPECT_EQ(h.state.tables.egk[1].MobileVsd[ReadDateText], QStringLiteral("10102008"));
                 EXPECT_EQ(h.state.tables.insured[1][Einlesedatum], QStringLiteral("10.10.2008"));
             }),
        // A broken checksum is shown, the data are still taken.
        Case(QStringLiteral("egk/handheld_egk_broken_checksum.scn"), ReadResult::Done, {checksum},
             [](test::SimHarness& h) {
                 EXPECT_EQ(h.state.tables.insured[1][Einlesedatum], QStringLiteral("10.10.2008"));
             }),
        // Status data without a checksum object are never a silent success.
        Case(Handheld(QStringLiteral("override 00B08C = %1 9000\n").arg(kStatusStart)), ReadResult::Done,
             {checksum, Info(QStringLiteral("Unbekanntes Format der Zulassungsnummer festgestellt!"))}),
        Case(Handheld(QStringLiteral("card.hca = deactivated\n")), ReadResult::Done,
             {Info(QStringLiteral("Das DF.HCA (Health Care Application) ist deaktiviert!\r\n"))},
             [](test::SimHarness& h) {
                 EXPECT_EQ(h.apduLog(), QStringList({kSelectHca}));
                 EXPECT_EQ(h.state.tables.insured[1][Familienname], QString());
                 EXPECT_TRUE(h.simulator().cardPresent(1));
             }),
        Case(Handheld(QStringLiteral("card.hca = missing\n")), ReadResult::Failed,
             {Info(
                 QStringLiteral("Keine Gesundheitsanwendung \r\nDF.HCA (Health Care Application) \r\nauf der "
                                "Karte gefunden!\r\n\r\n"))}),
        Case(Handheld(QStringLiteral("override 00A4040C = -10\n")), ReadResult::Failed,
             {Info(QStringLiteral("Kommando Select DF HCA war nicht erfolgreich!\r\n"))}),
        // A failed erase is reported last and no eject follows.
        Case(Handheld(QStringLiteral("override 000E0000 = 6581\n")), ReadResult::Done,
             {Info(QStringLiteral("ERASE BINARY war nicht erfolgreich!\r\n"))},
             [](test::SimHarness& h) {
                 EXPECT_FALSE(h.apduLog().contains(QStringLiteral("201501000100")));
                 EXPECT_EQ(h.state.tables.insured[1][Familienname], QStringLiteral("Ðoria"));
             }),
        // Status unreadable, PD length impossible, container without GVD, erase refused: in their order.
        Case(Handheld(
                 QStringLiteral("override 00B08C = 6A82\noverride 00B081 = 0400 1F8B 9000\n"
                                "override 00B082 = 0000 0000 FFFF FFFF 00 9000\noverride 000E0000 = -10\n")),
             ReadResult::Done,
             {Info(QStringLiteral("Keine gültigen Daten in EF PD \r\n\r\n")),
              Info(QStringLiteral("Keine GVD Daten im EF VD \r\n\r\n")),
              Info(QStringLiteral("Kommando ERASE BINARY war nicht erfolgreich!\r\n"))}),
        Case(Handheld(
                 QStringLiteral("override 00B081 = 6A82\noverride 00B082 = 6A82\noverride 00B08C = 6A82\n")),
             ReadResult::Done,
             {Info(QStringLiteral("Read EF PD war nicht erfolgreich!\r\n")),
              Info(QStringLiteral("Read EF VD war nicht erfolgreich!\r\n")),
              Info(QStringLiteral("Read EF Status VD  war nicht erfolgreich!\r\n"))}),
        // An invalid GVD stretch replaces the VD message.
        Case(Handheld(QStringLiteral("override 00B082 = 0000 0000 0001 0400 00 9000\n")), ReadResult::Done,
             {Info(QStringLiteral("Keine gültigen GVD Daten im EF VD \r\n\r\n"))}),
        Case(Handheld(QStringLiteral("override 00B082 = 0000 0000 0008 0009 4142 9000\n")), ReadResult::Done,
             {Info(QStringLiteral("Keine gültigen VD Daten in EF VD \r\n\r\n"))},
             [](test::SimHarness& h) {
                 EXPECT_EQ(h.state.tables.egk[1].EgkXmlText[DocIndex(DocKind::Gvd)], QStringLiteral("AB"));
             }),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario.right(100).toStdString());
        const auto h = test::Harness(c.scenario);
        h->state.tables.insured[1][Familienname] = QStringLiteral("vorher");
        h->state.tables.terminal[1].IsMobile = true;
        ASSERT_EQ(h->session.OpenTerminal(1), 0);
        h->clearLog();
        EXPECT_EQ(ReadEgkFromMobileTerminal(h->ctx, 1), c.result);
        EXPECT_EQ(test::Shown(h->boxes.shown), c.boxes);
        if (c.check)
            c.check(*h);
    }
}

TEST(MobileEgkReaderTest, ReadDriverAsksFirstAndShowsTheHandheldView) {
    const auto h = test::Harness(QStringLiteral("egk/handheld_egk.scn"));
    h->boxes.script({MsgAnswer::Yes});
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 1), ReadResult::Done);
    EXPECT_EQ(h->apduLog().mid(0, 4), QStringList({"init 1", "2011000000", "201201000101", kSelectHca}));
    const TerminalInfo& info = h->state.tables.terminal[1];
    EXPECT_TRUE(info.IsMobile && info.IsEgk && info.HasCardData);
    ShowInsuredRecord(h->state.tables, 1, h->state.ui.card);
    EXPECT_EQ(h->state.ui.card.frameCaption,
              QStringLiteral("eGK VSDaten(Mobil) abgebildet auf die Krankenversicherten Kartendaten"));
    EXPECT_EQ(h->state.ui.card.values[16] + h->state.ui.card.values[17], QStringLiteral("10.10.2008103"));
}

} // namespace
} // namespace kc
