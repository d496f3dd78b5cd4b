#include "base/insured_record_store.h"
#include "card_test_support.h"
#include "cards/approval_number.h"
#include "cards/kvk_record.h"
#include "cards/kvk_text.h"
#include "fake_ui.h"
#include "sim_harness.h"

#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

namespace kc {
namespace {

using test::HandheldAdditions;
using test::Hex;
using test::IsBox;
using test::IsErrorBox;
using test::KvkRecordFile;

const QString kNoKvk = QStringLiteral(" Keine Krankenversichertenkarte!!! ");
const QString kChecksum = QStringLiteral(" Prüfsumme KVK korrupt!!! ");
const QString kTrailerChecksum = QStringLiteral(" Prüfsummezusatz KVK korrupt!!! ");
const QString kTrailerLength = QStringLiteral(" Unbekannte Länge Prüfsummezusatz KVK! ");
const QString kDefective = QStringLiteral("Defekter KVK Datensatz!!!");

class KvkRecordTest : public ::testing::Test {
  protected:
    static constexpr int kSlot = 3;

    bool parse(const QString& record) { return ParseKvkRecord(target, kSlot, record); }
    const InsuredRecord& fields() const { return tables.insured[kSlot]; }
    TerminalInfo& info() { return tables.terminal[kSlot]; }
    QStringList boxTexts() const {
        QStringList texts;
        for (const MessageRequest& shown : boxes.shown)
            texts.append(shown.text);
        return texts;
    }

    SlotTables tables;
    test::ScriptedMessageBoxes boxes;
    uint16_t selectedPort = 3;
    KvkParseTarget target{tables, selectedPort, boxes};
};

// ---- DecodeKvkText ---------------------------------------------------------

TEST(DecodeKvkTextTest, TranslatesTheSevenGermanCodesAndNothingElse) {
    EXPECT_EQ(DecodeKvkText(QStringLiteral("5B5C5D7B7C7D7E"), 14), QStringLiteral("ÄÖÜäöüß"));
    EXPECT_EQ(DecodeKvkText(QStringLiteral("40"), 2), QStringLiteral("@"));
    EXPECT_EQ(DecodeKvkText(QStringLiteral("4D7E6C6C6572"), 12), QStringLiteral("Mßller"));
    // Everything else is Windows-1252.
    EXPECT_EQ(DecodeKvkText(QStringLiteral("80E9"), 4), QStringLiteral("€é"));
}

TEST(DecodeKvkTextTest, DecodesOnlyTheDigitsAskedForAndNeverPastTheText) {
    EXPECT_EQ(DecodeKvkText(QStringLiteral("414243"), 4), QStringLiteral("AB"));
    EXPECT_EQ(DecodeKvkText(QStringLiteral("4142"), 40), QStringLiteral("AB"));
    EXPECT_EQ(DecodeKvkText(QStringLiteral("414"), 3), QStringLiteral("A"));
    EXPECT_EQ(DecodeKvkText(QStringLiteral("41ZZ42"), 6), QStringLiteral("A"));
    EXPECT_EQ(DecodeKvkText(QString(), 10), QString());
}

// ---- ASN.1 templates --------------------------------------------------------

// The upstream project's expected field list for the TK_Apfel record, by our field index.
QMap<int, QString> ExpectedApfelFields() {
    const QMap<QString, int> fieldOfLabel = {
        {QStringLiteral("KrankenKassenName"), Krankenkassenname},
        {QStringLiteral("KrankenKassenNummer"), Krankenkassennummer},
        {QStringLiteral("VKNR"), VKNR},
        {QStringLiteral("VersichertenNummer"), Versichertennummer},
        {QStringLiteral("VersichertenStatus"), Versichertenstatus},
        {QStringLiteral("StatusErgänzung"), Statusergaenzung},
        {QStringLiteral("VorName"), Vorname},
        {QStringLiteral("FamilienName"), Familienname},
        {QStringLiteral("GeburtsDatum"), Geburtsdatum},
        {QStringLiteral("Straßenname"), Strasse},
        {QStringLiteral("WohnsitzLänderCode"), Wohnsitzlaendercode},
        {QStringLiteral("Postleitzahl"), Postleitzahl},
        {QStringLiteral("Orstname"), Ortsname} /* sic, upstream spelling */,
        {QStringLiteral("GültigkeitsDatum"), Gueltigkeitsdatum},
    };
    QFile file(test::SimHarness::TestDataDir() + QStringLiteral("/kvk/k2-creek_TK_Apfel_expected_KVK.dat"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QMap<int, QString> expected;
    for (const QString& line :
         QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const int colon = int(line.indexOf(QLatin1Char(':')));
        const QString label = line.left(colon);
        EXPECT_TRUE(fieldOfLabel.contains(label)) << qPrintable(label);
        expected.insert(fieldOfLabel.value(label), line.mid(colon + 1).trimmed());
    }
    return expected;
}

TEST_F(KvkRecordTest, LongLengthTemplateFromARealCardMatchesTheUpstreamFieldList) {
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex"))));
    EXPECT_TRUE(boxes.shown.empty());
    const QMap<int, QString> expected = ExpectedApfelFields();
    ASSERT_EQ(expected.size(), 14);
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(fields()[std::size_t(it.key())], it.value()) << "field " << it.key();
    EXPECT_EQ(fields()[Titel], QString());
    EXPECT_EQ(fields()[Namenszusatz], QString());
    EXPECT_EQ(fields()[Pruefsumme], QStringLiteral("FC"));
    EXPECT_EQ(info().OutputMedium.str(), QStringLiteral("PC (ASN-1)").leftJustified(25));
}

TEST_F(KvkRecordTest, RealRecordWithDin66003UmlautDecodesTheFamilyName) {
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("k2-creek_BPolKK_Hoensch_DIN66003.hex"))));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Hönsch"));
    EXPECT_EQ(fields()[Vorname], QStringLiteral("Daniel Gustav Lutz"));
    EXPECT_EQ(fields()[Krankenkassenname], QStringLiteral("Bundespolizei-Krankenkasse"));
    EXPECT_EQ(fields()[Pruefsumme], QStringLiteral("88"));
}

TEST_F(KvkRecordTest, ShortTemplateReadsItsLengthFromDigitsThreeAndFour) {
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("kvk_template_60.hex"))));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(fields()[Krankenkassenname], QStringLiteral("AOK Nordost"));
    EXPECT_EQ(fields()[Titel], QStringLiteral("Dr."));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Mustermann"));
    EXPECT_EQ(fields()[Ortsname], QStringLiteral("Köln"));
    EXPECT_EQ(fields()[Gueltigkeitsdatum], QStringLiteral("1225"));
}

TEST_F(KvkRecordTest, TwoByteLengthTemplateReadsAllSixteenObjects) {
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("kvk_template_6082.hex"))));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(fields()[Titel], QStringLiteral("Prof. Dr."));
    EXPECT_EQ(fields()[Vorname], QStringLiteral("Hans-Jürgen Maximilian"));
    EXPECT_EQ(fields()[Namenszusatz], QStringLiteral("Freiherr von"));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Größenwahn-Überlinger"));
    EXPECT_EQ(fields()[Strasse], QStringLiteral("Königsallee 100 a"));
    EXPECT_EQ(fields()[Ortsname], QStringLiteral("Düsseldorf"));
    EXPECT_EQ(info().OutputMedium.str().trimmed(), QStringLiteral("PC (ASN-1)"));
}

TEST_F(KvkRecordTest, ChangedChecksumByteIsRefusedWithTheChecksumBox) {
    EXPECT_TRUE(parse(KvkRecordFile(QStringLiteral("kvk_tk_apfel_broken_checksum.hex"))));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(IsErrorBox(boxes.shown[0], kChecksum));
    // The decoded fields stay until the caller empties the slot.
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Apfel"));
}

TEST_F(KvkRecordTest, EmptyChecksumObjectStoresZeroZero) {
    // A short template whose checksum object has no value: "00" is compared with the XOR.
    QString body = test::Tlv(0x80, QByteArray("Krankenkasse mit leerer Pruefsumme")) +
                   test::Tlv(0x87, QByteArray("Leer")) + test::Tlv(0x82, QByteArray("123456789012"));
    body += QStringLiteral("8E00");
    const QString record = Hex(QByteArray(1, char(0x60))) + Hex(QByteArray(1, char(body.size() / 2))) + body;
    parse(record);
    EXPECT_EQ(fields()[Pruefsumme], QStringLiteral("00"));
}

TEST_F(KvkRecordTest, StationaryLengthLimits) {
    const QString apfel = KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex"));
    EXPECT_TRUE(parse(apfel.left(104)));
    EXPECT_TRUE(parse(QString(440, QLatin1Char('4'))));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(IsErrorBox(boxes.shown[0], kNoKvk));
    EXPECT_TRUE(IsErrorBox(boxes.shown[1], kNoKvk));
    boxes.shown.clear();
    // 462 and 510 digits pass: fixed-format records with a handheld's fields.
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("kvk_fixed_462.hex"))));
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("kvk_fixed_510.hex"))));
    EXPECT_TRUE(boxes.shown.empty());
}

// ---- Handheld records -------------------------------------------------------

TEST_F(KvkRecordTest, HandheldRecordWithBothChecksumsFillsAllTwentyFields) {
    info().IsMobile = true;
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("kvk_handheld_tk_apfel_109.hex"))));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Apfel"));
    EXPECT_EQ(fields()[Einlesedatum], QStringLiteral("15032024"));
    EXPECT_EQ(fields()[Zulassungsnummer], QStringLiteral("109"));
    EXPECT_EQ(fields()[Pruefsummezusatz].size(), 2);
    EXPECT_EQ(info().ModelText.str().trimmed(), QStringLiteral("Serie Q4"));
    EXPECT_EQ(info().Manufacturer.str(), QStringLiteral("DEZAV"));
    EXPECT_EQ(info().CtType.str(), QStringLiteral("QKT-4"));
}

TEST_F(KvkRecordTest, HandheldAdditionsOfEightyFourDigitsPassAndOfEightySixAreRefused) {
    info().IsMobile = true;
    const QString apfel = KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex"));
    const QString longest = HandheldAdditions("15032024", "ZAV-QMT3-ZULASSUNG-0000-103");
    ASSERT_EQ(longest.size(), 84);
    EXPECT_FALSE(parse(apfel + longest));
    EXPECT_EQ(fields()[Zulassungsnummer], QStringLiteral("ZAV-QMT3-ZULASSUNG-0000-103"));

    const QString tooLong = HandheldAdditions("15032024", "ZAV-QMT3-ZULASSUNG-0000-1030");
    ASSERT_EQ(tooLong.size(), 86);
    EXPECT_TRUE(parse(apfel + tooLong));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(IsErrorBox(boxes.shown[0], kTrailerLength));
}

TEST_F(KvkRecordTest, HandheldAdditionsWithoutOrWithAWrongSecondChecksumAreRefused) {
    info().IsMobile = true;
    const QString apfel = KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex"));
    EXPECT_TRUE(parse(apfel + HandheldAdditions("15032024", "109", 0x01)));
    EXPECT_TRUE(parse(apfel + test::Tlv(0x91, "15032024") + test::Tlv(0x92, "109")));
    EXPECT_EQ(boxTexts(), QStringList({kTrailerChecksum, kTrailerChecksum}));
}

// ---- Fixed format -----------------------------------------------------------

TEST_F(KvkRecordTest, FixedFormatTrimsTextsOnTheRightAndNumbersOnTheLeft) {
    tables.insured[kSlot][Einlesedatum] = QStringLiteral("kept");
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("kvk_fixed_438.hex"))));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(info().OutputMedium.str().trimmed(), QStringLiteral("PC (Festformat)"));
    EXPECT_EQ(fields()[Ortsname], QStringLiteral("BERLIN"));
    EXPECT_EQ(fields()[VKNR], QStringLiteral("12"));
    EXPECT_EQ(fields()[Krankenkassenname], QStringLiteral("AOK Berlin"));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Müller"));
    EXPECT_EQ(fields()[Strasse], QStringLiteral("Hauptstraße 5"));
    EXPECT_EQ(fields()[Titel], QString());
    EXPECT_EQ(fields()[Pruefsumme], QStringLiteral("00"));
    EXPECT_EQ(fields()[Einlesedatum], QStringLiteral("kept"));
}

TEST_F(KvkRecordTest, FixedFormatBlanksAreWholeBytes) {
    // "2" (0x32) followed by a blank must keep its digit: trimming works on byte pairs.
    QString record = KvkRecordFile(QStringLiteral("kvk_fixed_438.hex"));
    const int townStart = 2 * (28 + 7 + 12 + 5 + 4 + 3 + 15 + 28 + 15 + 28 + 8 + 28 + 3 + 7);
    record.replace(townStart, 46, Hex("ULM 2") + QStringLiteral("20").repeated(18));
    EXPECT_FALSE(parse(record));
    EXPECT_EQ(fields()[Ortsname], QStringLiteral("ULM 2"));
}

TEST_F(KvkRecordTest, FixedFormatOnAHandheldReadsTheAdditionsAndTheApprovalNumber) {
    info().IsMobile = true;
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("kvk_fixed_462.hex"))));
    EXPECT_EQ(fields()[Einlesedatum], QStringLiteral("15032024"));
    EXPECT_EQ(fields()[Zulassungsnummer], QStringLiteral("109"));
    EXPECT_EQ(fields()[Pruefsummezusatz], QStringLiteral("5A"));
    EXPECT_EQ(info().CtType.str(), QStringLiteral("QKT-4"));

    SlotTables other;
    other.terminal[kSlot].IsMobile = true;
    KvkParseTarget otherTarget{other, selectedPort, boxes};
    EXPECT_FALSE(ParseKvkRecord(otherTarget, kSlot, KvkRecordFile(QStringLiteral("kvk_fixed_510.hex"))));
    EXPECT_EQ(other.insured[kSlot][Zulassungsnummer], QStringLiteral("ZAV-QMT3-ZULASSUNG-0000-103"));
    // Only the three-character approval number of a 462-digit record names the model.
    EXPECT_EQ(other.terminal[kSlot].ModelText.str().trimmed(), QString());
}

TEST_F(KvkRecordTest, FixedFormatOfAnotherLengthStoresNothing) {
    tables.insured[kSlot][Familienname] = QStringLiteral("vorher");
    EXPECT_FALSE(parse(QStringLiteral("41").repeated(200)));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("vorher"));
    EXPECT_TRUE(boxes.shown.empty());
}

// ---- Malformed records --------------------------------------------------------

struct MalformedCase {
    const char* name;
    bool mobile;
    std::function<QString(const QString& apfel)> build;
    QStringList boxes;

    friend void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }
};

class MalformedKvkRecordTest : public KvkRecordTest, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedKvkRecordTest, IsRefusedWithItsMessagesAndNeverReadsPastTheText) {
    const MalformedCase& c = GetParam();
    info().IsMobile = c.mobile;
    const QString record = c.build(KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex")));
    EXPECT_TRUE(parse(record));
    EXPECT_EQ(boxTexts(), c.boxes);
}

QString Replaced(QString text, const char* from, const char* to) {
    EXPECT_TRUE(text.contains(QLatin1String(from)));
    return text.replace(QLatin1String(from), QLatin1String(to));
}

INSTANTIATE_TEST_SUITE_P(
    Records, MalformedKvkRecordTest,
    ::testing::Values(
        MalformedCase{
            "OddDigitCount", false, [](const QString& r) { return r + QStringLiteral("0"); }, {kDefective}},
        MalformedCase{"NotHex",
                      false,
                      [](const QString& r) { return QString(r).replace(40, 1, QStringLiteral("G")); },
                      {kDefective}},
        MalformedCase{"ObjectLongerThanTheText",
                      false,
                      [](const QString& r) { return Replaced(r, "8C05457373656E", "8C7F457373656E"); },
                      {kDefective}},
        MalformedCase{"LengthByteMissingAtTheEnd",
                      false,
                      [](const QString& r) { return r + QStringLiteral("8A"); },
                      {kDefective}},
        MalformedCase{"ChecksumObjectOfTwoBytes",
                      false,
                      [](const QString& r) { return Replaced(r, "8E01FC", "8E02FCFC"); },
                      {kChecksum}},
        MalformedCase{"ChecksumRangePastTheEnd",
                      false,
                      [](const QString& r) { return Replaced(r, "60818B", "60819F"); },
                      {kDefective}},
        MalformedCase{"TwoByteLengthPastTheEnd",
                      false,
                      [](const QString& r) { return Replaced(r, "60818B", "6082FFFF"); },
                      {kDefective}},
        MalformedCase{"UnknownTagInsideTheTemplate",
                      false,
                      [](const QString& r) { return Replaced(r, "8A0144", "7A0144"); },
                      {kDefective, kChecksum}},
        MalformedCase{"NoChecksumObject",
                      false,
                      [](const QString& r) { return Replaced(r.left(r.size() - 6), "60818B", "608188"); },
                      {kChecksum}},
        MalformedCase{
            "HandheldRecordWithoutAdditions", true, [](const QString& r) { return r; }, {kTrailerChecksum}},
        MalformedCase{"HandheldAdditionObjectPastTheEnd",
                      true,
                      [](const QString& r) { return r + QStringLiteral("910832303234"); },
                      {kDefective}},
        MalformedCase{"HandheldChecksumOfTwoBytes",
                      true,
                      [](const QString& r) {
                          return r + test::Tlv(0x91, "15032024") + test::Tlv(0x92, "109") +
                                 QStringLiteral("93020000");
                      },
                      {kTrailerChecksum}},
        MalformedCase{"HandheldLongerThan518Digits",
                      true,
                      [](const QString& r) { return r + QStringLiteral("00").repeated(120); },
                      {kNoKvk}}),
    [](const ::testing::TestParamInfo<MalformedCase>& test) { return std::string(test.param.name); });

TEST_F(KvkRecordTest, UnknownTagAfterTheTemplateIsShownButTheChecksumDecides) {
    EXPECT_FALSE(parse(KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex")) + QStringLiteral("0000")));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(boxes.shown[0], kDefective, QStringLiteral(" KartoCheck KVK lesen "), MsgButtons::Ok,
                      MsgIcon::Exclamation));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Apfel"));
}

// ---- Approval number and storing --------------------------------------------

struct ApprovalCase {
    const char* approval;
    const char* ctTypeBefore;
    uint16_t port;
    const char* model;
    const char* manufacturer;
    const char* ctTypeAfter;
};

TEST(ApplyZulassungsnummerTest, RewritesTheTerminalIdentity) {
    const ApprovalCase cases[] = {
        {"103", "QMT3 ", 1, "Serie Q3", "DEZAV", "QMT3 "},
        {"103", "QKT-1", 0x2000, "Serie Q3", "DEZAV", "QMT3 "},
        {"103", "QKT-1", 0x20FF, "Serie Q3", "DEZAV", "QMT3 "},
        {"103", "QKT-1", 0x2100, "Modell VEX K7/Serie Q3", "DEZAV", "QKT-1"},
        {"103", "QKT-1", 2, "Modell VEX K7/Serie Q3", "DEZAV", "QKT-1"},
        {"109", "QMT3 ", 1, "Serie Q4", "DEZAV", "QKT-4"},
        {"110", "QKT-1", 1, "Kein VEX K7/Serie Q4", "?????", "QKT-1"},
        {"1", "QKT-1", 1, "Kein VEX K7/Serie Q4", "?????", "QKT-1"},
    };
    for (const ApprovalCase& c : cases) {
        SlotTables tables;
        tables.terminal[2].CtType = QString::fromLatin1(c.ctTypeBefore);
        tables.terminal[2].Manufacturer = QStringLiteral("OTHER");
        ApplyZulassungsnummer(QString::fromLatin1(c.approval), tables, c.port, 2);
        const TerminalInfo& info = tables.terminal[2];
        SCOPED_TRACE(std::string(c.approval) + " on port " + std::to_string(c.port));
        EXPECT_EQ(info.ModelText.str().trimmed(), QString::fromLatin1(c.model));
        EXPECT_EQ(info.Manufacturer.str(), QString::fromLatin1(c.manufacturer));
        EXPECT_EQ(info.CtType.str(), QString::fromLatin1(c.ctTypeAfter));
    }
}

TEST_F(KvkRecordTest, ApprovalNumberInsideARecordRewritesTheIdentity) {
    info().IsMobile = true;
    const QString apfel = KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex"));
    EXPECT_FALSE(parse(apfel + HandheldAdditions("15032024", "777")));
    EXPECT_EQ(info().ModelText.str().trimmed(), QStringLiteral("Kein VEX K7/Serie Q4"));
    EXPECT_EQ(info().Manufacturer.str(), QStringLiteral("?????"));
}

TEST(StoreInsuredRecordTest, StationarySlotsKeepTheHandheldFields) {
    SlotTables tables;
    EgkFieldBuffer fields;
    for (int i = 0; i < kInsuredFieldCount; ++i)
        fields[std::size_t(i)] = QStringLiteral("neu %1").arg(i);
    tables.insured[1][Einlesedatum] = QStringLiteral("alt");
    StoreInsuredRecord(fields, tables, 1);
    EXPECT_EQ(tables.insured[1][Pruefsumme], QStringLiteral("neu 16"));
    EXPECT_EQ(tables.insured[1][Einlesedatum], QStringLiteral("alt"));
    EXPECT_EQ(tables.insured[1][Pruefsummezusatz], QString());

    tables.terminal[1].IsMobile = true;
    StoreInsuredRecord(fields, tables, 1);
    EXPECT_EQ(tables.insured[1][Einlesedatum], QStringLiteral("neu 17"));
    EXPECT_EQ(tables.insured[1][Pruefsummezusatz], QStringLiteral("neu 19"));
    EXPECT_EQ(tables.insured[2][Krankenkassenname], QString());
}

} // namespace
} // namespace kc
