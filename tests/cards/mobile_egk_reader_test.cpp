#include "base/card_display.h"
#include "card_test_support.h"
#include "cards/read_insurance_card.h"
#include "egk/mobile_egk_reader.h"
#include "egk/mobile_status_walk.h"
#include "sim_harness.h"
#include "terminal/hex_codec.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::IsBox;

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

TEST(MobileDerivedFieldsTest, ReadDateForms) {
    EXPECT_EQ(ReadDateField(QStringLiteral("20081010")).value, QStringLiteral("10.10.2008"));
    EXPECT_EQ(ReadDateField(QStringLiteral("10102008")).value, QStringLiteral("10.10.2008"));
    EXPECT_EQ(ReadDateField(QStringLiteral("20240315")).value, QStringLiteral("15.03.2024"));
    EXPECT_EQ(ReadDateField(QStringLiteral("15032024")).value, QStringLiteral("15.03.2024"));
    const DerivedField unknown = ReadDateField(QStringLiteral("2008AB10"));
    EXPECT_FALSE(unknown.value);
    EXPECT_EQ(unknown.message, QStringLiteral("Unbekanntes Format des Einlesedatums festgestellt!"));
    const DerivedField shorter = ReadDateField(QStringLiteral("2008101"));
    EXPECT_FALSE(shorter.value);
    EXPECT_TRUE(shorter.message.isEmpty());
}

TEST(MobileDerivedFieldsTest, ApprovalNumberRules) {
    const QString date = QStringLiteral("20081010");
    EXPECT_EQ(ApprovalNumberField(date, QStringLiteral("ZAV-QMT3-ZULASSUNG-0000-103")).value,
              QStringLiteral("103"));
    EXPECT_EQ(ApprovalNumberField(date, QStringLiteral("X12345")).value, QStringLiteral("2345"));
    EXPECT_EQ(ApprovalNumberField(date, QStringLiteral("7")).value, QStringLiteral("7"));
    const DerivedField letter = ApprovalNumberField(date, QStringLiteral("103A"));
    EXPECT_EQ(letter.value, QString());
    EXPECT_EQ(letter.message, QStringLiteral("Die Zulassungsnummer konnte nicht ermittelt werden!"));
    const DerivedField noDate = ApprovalNumberField(QString(), QStringLiteral("103"));
    EXPECT_FALSE(noDate.value);
    EXPECT_EQ(noDate.message, QStringLiteral("Unbekanntes Format der Zulassungsnummer festgestellt!"));
}

class MobileEgkReaderTest : public ::testing::Test {
  protected:
    ReadResult read(const QString& scenario, bool asFile = true) {
        EXPECT_TRUE(asFile ? h.loadFile(QStringLiteral("egk/") + scenario) : h.loadText(scenario))
            << qPrintable(h.loadError());
        h.state.tables.terminal[1].IsMobile = true;
        EXPECT_EQ(h.session.OpenTerminal(1), 0);
        h.clearLog();
        return ReadEgkFromMobileTerminal(h.ctx, 1);
    }
    const InsuredRecord& fields() { return h.state.tables.insured[1]; }
    const MobileVsdRecord& record() { return h.state.tables.egk[1].MobileVsd; }

    test::SimHarness h;
};

QString Handheld(const QString& extra) {
    return QStringLiteral("[terminal visit]\nports = 1\nkind = handheld\ncard = egk\n"
                          "card.statusvd = @egk/cards/handheld_status_yyyymmdd.hex\n"
                          "card.pd = @egk/cards/EGK_G2_1_80276883110000095711__EF_PD.hex\n"
                          "card.vd = @egk/cards/EGK_G2_1_80276883110000095711__EF_VD.hex\n") +
           extra;
}

TEST_F(MobileEgkReaderTest, StoredRecordIsReadErasedAndEjected) {
    EXPECT_EQ(read(QStringLiteral("handheld_egk.scn")), ReadResult::Done);
    EXPECT_EQ(h.apduLog(), QStringList({kSelectHca, "00B08C0000", "00B08100000000", "00B08200000000",
                                        "000E0000", "201501000100"}));
    EXPECT_TRUE(h.boxes.shown.empty()) << qPrintable(h.boxTexts().join(QLatin1Char('|')));
    EXPECT_EQ(record()[ReadDateText], QStringLiteral("20081010"));
    EXPECT_EQ(record()[ChecksumValue], QStringLiteral("D2"));
    EXPECT_EQ(fields()[Einlesedatum], QStringLiteral("10.10.2008"));
    EXPECT_EQ(fields()[Zulassungsnummer], QStringLiteral("103"));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Ðoria"));
    EXPECT_EQ(fields()[VKNR], QStringLiteral("17"));
    EXPECT_EQ(h.state.tables.terminal[1].OutputMedium.str().trimmed(), QStringLiteral("PC (ASN-1)"));
    EXPECT_FALSE(h.simulator().cardPresent(1));
}

TEST_F(MobileEgkReaderTest, ReadDriverAsksFirstAndShowsTheHandheldView) {
    ASSERT_TRUE(h.loadFile(QStringLiteral("egk/handheld_egk.scn")));
    h.boxes.script({MsgAnswer::Yes});
    EXPECT_EQ(ReadInsuranceCard(h.ctx, 1), ReadResult::Done);
    EXPECT_EQ(h.apduLog().mid(0, 4), QStringList({"init 1", "2011000000", "201201000101", kSelectHca}));
    const TerminalInfo& info = h.state.tables.terminal[1];
    EXPECT_TRUE(info.IsMobile);
    EXPECT_TRUE(info.IsEgk);
    EXPECT_TRUE(info.HasCardData);
    ShowInsuredRecord(h.state.tables, 1, h.state.ui.card);
    EXPECT_EQ(h.state.ui.card.frameCaption,
              QStringLiteral("eGK VSDaten(Mobil) abgebildet auf die Krankenversicherten Kartendaten"));
    EXPECT_EQ(h.state.ui.card.values[16], QStringLiteral("10.10.2008"));
    EXPECT_EQ(h.state.ui.card.values[17], QStringLiteral("103"));
}

TEST_F(MobileEgkReaderTest, ReadDateAsDayMonthYear) {
    EXPECT_EQ(read(QStringLiteral("handheld_egk_ddmmyyyy.scn")), ReadResult::Done);
    EXPECT_EQ(record()[ReadDateText], QStringLiteral("10102008"));
    EXPECT_EQ(fields()[Einlesedatum], QStringLiteral("10.10.2008"));
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(MobileEgkReaderTest, BrokenChecksumIsShownWithTheStopIcon) {
    EXPECT_EQ(read(QStringLiteral("handheld_egk_broken_checksum.scn")), ReadResult::Done);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(h.boxes.shown[0], kChecksumBox, QStringLiteral(" KartoCheck "), MsgButtons::Ok,
                      MsgIcon::Critical));
    // The data are still taken.
    EXPECT_EQ(fields()[Einlesedatum], QStringLiteral("10.10.2008"));
}

TEST_F(MobileEgkReaderTest, StatusDataWithoutChecksumObjectIsNeverASilentSuccess) {
    EXPECT_EQ(read(Handheld(QStringLiteral("override 00B08C = %1 9000\n").arg(kStatusStart)), false),
              ReadResult::Done);
    EXPECT_EQ(
        h.boxTexts(),
        QStringList({kChecksumBox, QStringLiteral("Unbekanntes Format der Zulassungsnummer festgestellt!")}));
}

TEST_F(MobileEgkReaderTest, DeactivatedApplicationReadsAndErasesNothing) {
    h.state.tables.insured[1][Familienname] = QStringLiteral("vorher");
    EXPECT_EQ(read(Handheld(QStringLiteral("card.hca = deactivated\n")), false), ReadResult::Done);
    EXPECT_EQ(h.apduLog(), QStringList({kSelectHca}));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(h.boxes.shown[0],
                      QStringLiteral("Das DF.HCA (Health Care Application) ist deaktiviert!\r\n"),
                      QStringLiteral(" KartoCheck "), MsgButtons::Ok, MsgIcon::Information));
    EXPECT_EQ(fields()[Familienname], QString());
    EXPECT_TRUE(h.simulator().cardPresent(1));
}

TEST_F(MobileEgkReaderTest, SelectFailuresThatStopTheRead) {
    EXPECT_EQ(read(Handheld(QStringLiteral("card.hca = missing\n")), false), ReadResult::Failed);
    EXPECT_EQ(h.boxTexts(),
              QStringList({QStringLiteral("Keine Gesundheitsanwendung \r\nDF.HCA (Health Care "
                                          "Application) \r\nauf der Karte gefunden!\r\n\r\n")}));
    test::SimHarness transport;
    ASSERT_TRUE(transport.loadText(Handheld(QStringLiteral("override 00A4040C = -10\n"))));
    ASSERT_EQ(transport.session.OpenTerminal(1), 0);
    EXPECT_EQ(ReadEgkFromMobileTerminal(transport.ctx, 1), ReadResult::Failed);
    EXPECT_EQ(transport.boxTexts(),
              QStringList({QStringLiteral("Kommando Select DF HCA war nicht erfolgreich!\r\n")}));
}

TEST_F(MobileEgkReaderTest, FailedEraseIsReportedLastAndNoEjectFollows) {
    EXPECT_EQ(read(Handheld(QStringLiteral("override 000E0000 = 6581\n")), false), ReadResult::Done);
    EXPECT_FALSE(h.apduLog().contains(QStringLiteral("201501000100")));
    EXPECT_EQ(h.boxTexts(), QStringList({QStringLiteral("ERASE BINARY war nicht erfolgreich!\r\n")}));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Ðoria"));
}

TEST_F(MobileEgkReaderTest, MessagesWaitInTheirSlotsAndAreShownInOrder) {
    // Status unreadable, PD length impossible, container without GVD, erase refused.
    const QString pd = QStringLiteral("override 00B081 = 0400 1F8B 9000\n");
    const QString vd = QStringLiteral("override 00B082 = 0000 0000 FFFF FFFF 00 9000\n");
    EXPECT_EQ(read(Handheld(QStringLiteral("override 00B08C = 6A82\n") + pd + vd +
                            QStringLiteral("override 000E0000 = -10\n")),
                   false),
              ReadResult::Done);
    EXPECT_EQ(h.boxTexts(),
              QStringList({QStringLiteral("Keine gültigen Daten in EF PD \r\n\r\n"),
                           QStringLiteral("Keine GVD Daten im EF VD \r\n\r\n"),
                           QStringLiteral("Kommando ERASE BINARY war nicht erfolgreich!\r\n")}));
}

TEST_F(MobileEgkReaderTest, UnreadableFilesAreNamed) {
    EXPECT_EQ(read(Handheld(QStringLiteral("override 00B081 = 6A82\noverride 00B082 = 6A82\n"
                                           "override 00B08C = 6A82\n")),
                   false),
              ReadResult::Done);
    EXPECT_EQ(h.boxTexts(), QStringList({QStringLiteral("Read EF PD war nicht erfolgreich!\r\n"),
                                         QStringLiteral("Read EF VD war nicht erfolgreich!\r\n"),
                                         QStringLiteral("Read EF Status VD  war nicht erfolgreich!\r\n")}));
}

TEST_F(MobileEgkReaderTest, InvalidGvdStretchReplacesTheVdMessage) {
    EXPECT_EQ(read(Handheld(QStringLiteral("override 00B082 = 0000 0000 0001 0400 00 9000\n")), false),
              ReadResult::Done);
    EXPECT_EQ(h.boxTexts(), QStringList({QStringLiteral("Keine gültigen GVD Daten im EF VD \r\n\r\n")}));
}

TEST_F(MobileEgkReaderTest, InvalidVdStretchBesideAValidGvdIsNamed) {
    EXPECT_EQ(read(Handheld(QStringLiteral("override 00B082 = 0000 0000 0008 0009 4142 9000\n")), false),
              ReadResult::Done);
    EXPECT_EQ(h.boxTexts(), QStringList({QStringLiteral("Keine gültigen VD Daten in EF VD \r\n\r\n")}));
    EXPECT_EQ(h.state.tables.egk[1].EgkXmlText[DocIndex(DocKind::Gvd)], QStringLiteral("AB"));
}

} // namespace
} // namespace kc
