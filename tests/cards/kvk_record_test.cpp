#include "base/insured_record_store.h"
#include "card_test_support.h"
#include "cards/approval_number.h"
#include "cards/kvk_record.h"
#include "cards/kvk_text.h"
#include "fake_ui.h"

#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

namespace kc {
namespace {

using test::HandheldAdditions;
using test::Hex;
using test::KvkRecordFile;
using test::Tlv;

const QString kNoKvk = QStringLiteral(" Keine Krankenversichertenkarte!!! ");
const QString kChecksum = QStringLiteral(" Prüfsumme KVK korrupt!!! ");
const QString kTrailerChecksum = QStringLiteral(" Prüfsummezusatz KVK korrupt!!! ");
const QString kTrailerLength = QStringLiteral(" Unbekannte Länge Prüfsummezusatz KVK! ");
const QString kDefective = QStringLiteral("Defekter KVK Datensatz!!!");

QString Apfel() {
    return KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex"));
}

QString Replaced(QString text, const char* from, const char* to) {
    EXPECT_TRUE(text.contains(QLatin1String(from))) << from;
    return text.replace(QLatin1String(from), QLatin1String(to));
}

// One slot of fresh tables, parsed into.
struct Parsed {
    Parsed(const QString& record, bool mobile) {
        tables.terminal[kSlot].IsMobile = mobile;
        refused = ParseKvkRecord(target, kSlot, record);
    }
    static constexpr int kSlot = 3;
    const InsuredRecord& fields() const { return tables.insured[kSlot]; }
    const TerminalInfo& info() const { return tables.terminal[kSlot]; }
    QString identity() const {
        return info().OutputMedium.str().trimmed() + QLatin1Char('/') + info().ModelText.str().trimmed() +
               QLatin1Char('/') + info().Manufacturer.str() + QLatin1Char('/') +
               info().CtType.str().trimmed();
    }

    SlotTables tables;
    test::ScriptedMessageBoxes boxes;
    uint16_t selectedPort = 3;
    KvkParseTarget target{tables, selectedPort, boxes};
    bool refused = false;
};

TEST(KvkTextTest, DecodesTheSevenGermanCodesAsWindows1252OtherwiseAndOnlyTheDigitsAskedFor) {
    struct Case {
        const char* hex;
        int digits;
        QString text;
    };
    const Case cases[] = {
        Case("5B5C5D7B7C7D7E", 14, QStringLiteral("ÄÖÜäöüß")),
        Case("40", 2, QStringLiteral("@")),
        Case("4D7E6C6C6572", 12, QStringLiteral("Mßller")),
        Case("80E9", 4, QStringLiteral("€é")),
        Case("414243", 4, QStringLiteral("AB")),
        Case("4142", 40, QStringLiteral("AB")),
        Case("414", 3, QStringLiteral("A")),
        Case("41ZZ42", 6, QStringLiteral("A")),
        Case("", 10, QString()),
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeKvkText(QString::fromLatin1(c.hex), c.digits), c.text) << c.hex;
    // Every pair is looked at, the third one too.
    for (const char* hex : {"4G", "41G2", "4142G3", "414243G", "414"})
        EXPECT_FALSE(IsHexRecordText(QString::fromLatin1(hex))) << hex;
    EXPECT_TRUE(IsHexRecordText(QStringLiteral("0123456789ABCDEFabcdef")));
}

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

TEST(KvkRecordTest, LongLengthTemplateFromARealCardMatchesTheUpstreamFieldList) {
    const Parsed p(Apfel(), false);
    EXPECT_FALSE(p.refused);
    EXPECT_TRUE(p.boxes.shown.empty());
    const QMap<int, QString> expected = ExpectedApfelFields();
    ASSERT_EQ(expected.size(), 14);
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(p.fields()[std::size_t(it.key())], it.value()) << "field " << it.key();
    EXPECT_EQ(p.fields()[Titel] + p.fields()[Namenszusatz], QString());
    EXPECT_EQ(p.fields()[Pruefsumme], QStringLiteral("FC"));
    EXPECT_EQ(p.info().OutputMedium.str(), QStringLiteral("PC (ASN-1)").leftJustified(25));
}

TEST(KvkRecordTest, FieldsAndTerminalIdentityOfEachRecordForm) {
    // "2" (0x32) before a blank keeps its digit: the fixed format trims byte pairs.
    QString ulm = KvkRecordFile(QStringLiteral("kvk_fixed_438.hex"));
    ulm.replace(2 * (28 + 7 + 12 + 5 + 4 + 3 + 15 + 28 + 15 + 28 + 8 + 28 + 3 + 7), 46,
                Hex("ULM 2") + QStringLiteral("20").repeated(18));
    struct Case {
        QString record;
        bool mobile;
        std::vector<InsuredField> fields;
        const char* values; // of the fields, joined by "|"
        const char* identity;
    };
    const Case cases[] = {
        Case(KvkRecordFile(QStringLiteral("k2-creek_BPolKK_Hoensch_DIN66003.hex")), false,
             {Familienname, Vorname, Krankenkassenname, Pruefsumme},
             "Hönsch|Daniel Gustav Lutz|Bundespolizei-Krankenkasse|88", "PC (ASN-1)//OTHER/"),
        // The length comes from digits three and four.
        Case(KvkRecordFile(QStringLiteral("kvk_template_60.hex")), false,
             {Krankenkassenname, Titel, Familienname, Ortsname, Gueltigkeitsdatum},
             "AOK Nordost|Dr.|Mustermann|Köln|1225", "PC (ASN-1)//OTHER/"),
        Case(KvkRecordFile(QStringLiteral("kvk_template_6082.hex")), false,
             {Titel, Vorname, Namenszusatz, Familienname, Strasse, Ortsname},
             "Prof. Dr.|Hans-Jürgen Maximilian|Freiherr von|Größenwahn-Überlinger|Königsallee 100 "
             "a|Düsseldorf",
             "PC (ASN-1)//OTHER/"),
        Case(KvkRecordFile(QStringLiteral("kvk_handheld_tk_apfel_109.hex")), true,
             {Familienname, Einlesedatum, Zulassungsnummer}, "Apfel|15032024|109",
             "PC (ASN-1)/Serie Q4/DEZAV/QKT-4"),
        Case(Apfel() + HandheldAdditions("15032024", "ZAV-QMT3-ZULASSUNG-0000-103"), true, {Zulassungsnummer},
             "ZAV-QMT3-ZULASSUNG-0000-103", "PC (ASN-1)//OTHER/"),
        Case(Apfel() + HandheldAdditions("15032024", "777"), true, {Zulassungsnummer}, "777",
             "PC (ASN-1)/Kein VEX K7/Serie Q4/\?\?\?\?\?/"),
        // Texts trimmed on the right, numbers on the left; the handheld fields stay.
        Case(KvkRecordFile(QStringLiteral("kvk_fixed_438.hex")), false,
             {Ortsname, VKNR, Krankenkassenname, Familienname, Strasse, Titel, Pruefsumme, Einlesedatum},
             "BERLIN|12|AOK Berlin|Müller|Hauptstraße 5||00|vorher", "PC (Festformat)//OTHER/"),
        Case(ulm, false, {Ortsname}, "ULM 2", "PC (Festformat)//OTHER/"),
        Case(KvkRecordFile(QStringLiteral("kvk_fixed_462.hex")), true,
             {Einlesedatum, Zulassungsnummer, Pruefsummezusatz}, "15032024|109|5A",
             "PC (Festformat)/Serie Q4/DEZAV/QKT-4"),
        // Only the three-character approval number of a 462-digit record names the model.
        Case(KvkRecordFile(QStringLiteral("kvk_fixed_510.hex")), true, {Zulassungsnummer},
             "ZAV-QMT3-ZULASSUNG-0000-103", "PC (Festformat)//OTHER/"),
        // A fixed format of another length stores nothing.
        Case(QStringLiteral("41").repeated(200), false, {Familienname}, "vorher", "PC (Festformat)//OTHER/"),
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record.left(60).toStdString());
        Parsed p(QString(), c.mobile);
        p.tables.insured[Parsed::kSlot][Einlesedatum] = QStringLiteral("vorher");
        p.tables.insured[Parsed::kSlot][Familienname] = QStringLiteral("vorher");
        p.tables.terminal[Parsed::kSlot].Manufacturer = QStringLiteral("OTHER");
        p.boxes.shown.clear();
        EXPECT_FALSE(ParseKvkRecord(p.target, Parsed::kSlot, c.record));
        EXPECT_EQ(test::Shown(p.boxes.shown), QStringList());
        QStringList values;
        for (const InsuredField field : c.fields)
            values.append(p.fields()[field]);
        EXPECT_EQ(values.join(QLatin1Char('|')), QString::fromUtf8(c.values));
        EXPECT_EQ(p.identity(), QString::fromUtf8(c.identity));
    }
}

TEST(KvkRecordTest, RefusedRecordsAndTheirMessages) {
    const QString kDefectiveBox =
        test::Shown({MessageRequest{kDefective, QStringLiteral(" KartoCheck KVK lesen "), MsgButtons::Ok,
                                    MsgIcon::Exclamation}})
            .first();
    const QString apfel = Apfel();
    const QString tooLongApproval = HandheldAdditions("15032024", "ZAV-QMT3-ZULASSUNG-0000-1030");
    ASSERT_EQ(tooLongApproval.size(), 86);
    struct Case {
        const char* name;
        QString record;
        bool mobile;
        QStringList boxes;
    };
    const Case cases[] = {
        Case("changed checksum byte", KvkRecordFile(QStringLiteral("kvk_tk_apfel_broken_checksum.hex")),
             false, {kChecksum}),
        Case("104 digits", apfel.left(104), false, {kNoKvk}),
        Case("440 digits", QString(440, QLatin1Char('4')), false, {kNoKvk}),
        Case("odd digit count", apfel + QStringLiteral("0"), false, {kDefective}),
        Case("not hex", QString(apfel).replace(40, 1, QStringLiteral("G")), false, {kDefective}),
        Case("not hex in a third pair", QString(apfel).replace(41, 1, QStringLiteral("G")), false,
             {kDefective}),
        Case("object longer than the text", Replaced(apfel, "8C05457373656E", "8C7F457373656E"), false,
             {kDefective}),
        Case("length byte missing at the end", apfel + QStringLiteral("8A"), false, {kDefective}),
        Case("checksum object of two bytes", Replaced(apfel, "8E01FC", "8E02FCFC"), false, {kChecksum}),
        Case("checksum range past the end", Replaced(apfel, "60818B", "60819F"), false, {kDefective}),
        Case("two-byte length past the end", Replaced(apfel, "60818B", "6082FFFF"), false, {kDefective}),
        Case("unknown tag inside the template", Replaced(apfel, "8A0144", "7A0144"), false,
             {kDefective, kChecksum}),
        Case("no checksum object", Replaced(apfel.left(apfel.size() - 6), "60818B", "608188"), false,
             {kChecksum}),
        Case("handheld record without additions", apfel, true, {kTrailerChecksum}),
        Case("handheld addition past the end", apfel + QStringLiteral("910832303234"), true, {kDefective}),
        Case("handheld checksum of two bytes",
             apfel + Tlv(0x91, "15032024") + Tlv(0x92, "109") + QStringLiteral("93020000"), true,
             {kTrailerChecksum}),
        Case("handheld checksum wrong", apfel + HandheldAdditions("15032024", "109", 0x01), true,
             {kTrailerChecksum}),
        Case("handheld checksum missing", apfel + Tlv(0x91, "15032024") + Tlv(0x92, "109"), true,
             {kTrailerChecksum}),
        Case("handheld additions of 86 digits", apfel + tooLongApproval, true, {kTrailerLength}),
        Case("handheld longer than 518 digits", apfel + QStringLiteral("00").repeated(120), true, {kNoKvk}),
    };
    for (const auto& c : cases) {
        const Parsed p(c.record, c.mobile);
        EXPECT_TRUE(p.refused) << c.name;
        QStringList expected;
        for (const QString& text : c.boxes)
            expected += text == kDefective ? kDefectiveBox : test::Stop(text);
        EXPECT_EQ(test::Shown(p.boxes.shown), expected) << c.name;
    }
}

TEST(KvkRecordTest, EmptyChecksumObjectStoresZeroZero) {
    // A short template whose checksum object has no value: "00" is compared with the XOR.
    const QString body = Tlv(0x80, "Krankenkasse mit leerer Pruefsumme") + Tlv(0x87, "Leer") +
                         Tlv(0x82, "123456789012") + QStringLiteral("8E00");
    const Parsed p(QStringLiteral("60") + Hex(QByteArray(1, char(body.size() / 2))) + body, false);
    EXPECT_EQ(p.fields()[Pruefsumme], QStringLiteral("00"));
}

TEST(KvkRecordTest, UnknownTagAfterTheTemplateIsShownButTheChecksumDecides) {
    const Parsed p(Apfel() + QStringLiteral("0000"), false);
    EXPECT_FALSE(p.refused);
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_TRUE(test::IsBox(p.boxes.shown[0], kDefective, QStringLiteral(" KartoCheck KVK lesen "),
                            MsgButtons::Ok, MsgIcon::Exclamation));
    EXPECT_EQ(p.fields()[Familienname], QStringLiteral("Apfel"));
}

TEST(ApplyZulassungsnummerTest, RewritesTheTerminalIdentity) {
    struct Case {
        const char* approval;
        const char* ctTypeBefore;
        uint16_t port;
        const char* model;
        const char* manufacturer;
        const char* ctTypeAfter;
    };
    const Case cases[] = {
        Case("103", "QMT3 ", 1, "Serie Q3", "DEZAV", "QMT3 "),
        Case("103", "QKT-1", 0x2000, "Serie Q3", "DEZAV", "QMT3 "),
        Case("103", "QKT-1", 0x20FF, "Serie Q3", "DEZAV", "QMT3 "),
        Case("103", "QKT-1", 0x2100, "Modell VEX K7/Serie Q3", "DEZAV", "QKT-1"),
        Case("103", "QKT-1", 2, "Modell VEX K7/Serie Q3", "DEZAV", "QKT-1"),
        Case("109", "QMT3 ", 1, "Serie Q4", "DEZAV", "QKT-4"),
        Case("110", "QKT-1", 1, "Kein VEX K7/Serie Q4", "?????", "QKT-1"),
        Case("1", "QKT-1", 1, "Kein VEX K7/Serie Q4", "?????", "QKT-1"),
    };
    for (const auto& c : cases) {
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
