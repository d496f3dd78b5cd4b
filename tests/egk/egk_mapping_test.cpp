#include "egk/egk_mapping.h"
#include "egk/latin9.h"
#include "egk/xml_date.h"
#include "egk_test_support.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using MapFn = bool (*)(const XmlNode&, EgkFieldBuffer&, EgkResults&);

struct Mapped {
    bool failed = false;
    EgkFieldBuffer fields;
    EgkResults results;
};

// Maps the text onto what the preset already holds.
Mapped Map(MapFn map, const QString& text, Mapped preset = {}) {
    auto document = test::Parsed(text);
    preset.failed = map(document->documentElement(), preset.fields, preset.results);
    return preset;
}

QString Vd(const QString& body) {
    return QStringLiteral(
               "<?xml version=\"1.0\"?>\r\n<UC_AllgemeineVersicherungsdatenXML CDM_VERSION=\"5.2.0\" "
               "xmlns=\"http://ws.gematik.de/fa/vsdm/vsd/v5.2\">\r\n  <Versicherter>%1</Versicherter>\r\n"
               "</UC_AllgemeineVersicherungsdatenXML>")
        .arg(body);
}

QString Pd(const QString& person) {
    return QStringLiteral("<UC_PersoenlicheVersichertendatenXML><Versicherter><Versicherten_ID>X110207685"
                          "</Versicherten_ID>\n  "
                          "<Person>%1</Person></Versicherter></UC_PersoenlicheVersichertendatenXML>")
        .arg(person);
}

TEST(NormalizeXmlDate, ReadsBothOrdersAndRefusesWhatIsNoDate) {
    const struct {
        const char* text;
        std::optional<QString> expected;
    } cases[] = {
        {"20091231", "31.12.2009"},  {"31122009", "31.12.2009"},  {"19640309", "09.03.1964"},
        {"01012000", "01.01.2000"},  {"201912", ".12.2019"},      {"2019123", "3.12.2019"},
        {"2009", std::nullopt},      {"20091", std::nullopt},     {"2009-12-31", std::nullopt},
        {"2009 12 3", std::nullopt}, {"2009+1231", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeXmlDate(QString::fromLatin1(c.text)), c.expected) << c.text;
        EXPECT_EQ(PassesXmlDateTest(QString::fromLatin1(c.text)), c.expected.has_value()) << c.text;
    }
}

TEST(MapVdDocument, RealVdWithBillingInsurerKeepsTheInsurer) {
    const Mapped m = Map(MapVdDocument, Latin9ToString(test::EgkTestFile("documents/v51.vd.xml")));
    EXPECT_FALSE(m.failed);
    EXPECT_EQ(m.fields[Krankenkassenname], "Techniker Krankenkasse");
    EXPECT_EQ(m.fields[Krankenkassennummer], "101575519");
    EXPECT_EQ(m.fields[VKNR], "52");
    EXPECT_EQ(m.fields[Versichertenstatus], "0");
    EXPECT_EQ(m.fields[Statusergaenzung], "1");
    EXPECT_TRUE(m.fields[Gueltigkeitsdatum].isEmpty());
    // clang-format off
    const QStringList names = {"Beginn", "Kostentraegerkennung", "Kostentraegerlaendercode", "Name",
        "Kostentraegerkennung", "Name", "Rechtskreis", "Versichertenart", "Versichertenstatus_RSA",
        "Kostenerstattung_ambulant", "Kostenerstattung_stationaer", "WOP"};
    // clang-format on
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(m.results.VdElementList[std::size_t(i)].name, names[i]) << i;
    EXPECT_EQ(m.results.VdElementList[5].text, "TK");
    EXPECT_TRUE(m.results.VdElementList[12].name.isEmpty());
}

TEST(MapVdDocument, InstitutionContainerBeforeTheFirstNameLeavesTheInsurerUnwritten) {
    for (const char* container : {"Abrechnender_Kostentraeger_Institution", "AbrechnenderKostentraeger"}) {
        Mapped m;
        m.fields[Krankenkassenname] = QStringLiteral("vorher");
        m.fields[Krankenkassennummer] = QStringLiteral("000");
        const QString body =
            QStringLiteral("<Versicherungsschutz><Beginn>20100301</Beginn><Ende>20151231</Ende>"
                           "<%1><Kostentraegerkennung>990134568</Kostentraegerkennung>"
                           "<Name>Abrechnungsstelle</Name></%1><Name>Später</Name>"
                           "</Versicherungsschutz>")
                .arg(QLatin1String(container));
        m = Map(MapVdDocument, Vd(body), m);
        EXPECT_FALSE(m.failed);
        EXPECT_EQ(m.fields[Krankenkassenname], "vorher") << container;
        EXPECT_EQ(m.fields[Krankenkassennummer], "000") << container;
        EXPECT_EQ(m.fields[Gueltigkeitsdatum], "31.12.2015");
    }
}

TEST(MapVdDocument, EndDateIsWrittenOnlyWhenItPassesTheDateTest) {
    const struct {
        const char* ende;
        const char* expected;
    } cases[] = {{"20091231", "31.12.2009"},
                 {"31122009", "31.12.2009"},
                 {"2009", "alt"},
                 {"2009-12-31", "alt"},
                 {"", "alt"}};
    for (const auto& c : cases) {
        Mapped m;
        m.fields[Gueltigkeitsdatum] = QStringLiteral("alt");
        m = Map(MapVdDocument, Vd(QStringLiteral("<Ende>%1</Ende><WOP>78</WOP>").arg(QLatin1String(c.ende))),
                m);
        EXPECT_EQ(m.fields[Gueltigkeitsdatum], QLatin1String(c.expected)) << c.ende;
        EXPECT_EQ(m.fields[VKNR], "78");
    }
}

TEST(MapPdDocument, PostBoxBeforeStreetAddress) {
    const Mapped m =
        Map(MapPdDocument,
            Pd(QStringLiteral("<Geburtsdatum>19640309</Geburtsdatum><Vorname>Finn</Vorname>"
                              "<Nachname>Tóboggen</Nachname><Titel>Dr.</Titel>"
                              "<PostfachAdresse><Postleitzahl>11111</Postleitzahl><Ort>Postort</Ort>"
                              "<Postfach>12</Postfach><Land><Wohnsitzlaendercode>A</Wohnsitzlaendercode>"
                              "</Land></PostfachAdresse><StrassenAdresse><Postleitzahl>17373"
                              "</Postleitzahl><Ort>Ueckermünde</Ort><Land><Wohnsitzlaendercode>D"
                              "</Wohnsitzlaendercode></Land><Strasse>Chausseestr.</Strasse>"
                              "<Hausnummer>4c</Hausnummer></StrassenAdresse>")));
    EXPECT_FALSE(m.failed);
    EXPECT_EQ(m.fields[Versichertennummer], "X110207685");
    EXPECT_EQ(m.fields[Geburtsdatum], "09.03.1964");
    EXPECT_EQ(m.fields[Vorname], "Finn");
    EXPECT_EQ(m.fields[Familienname], QString::fromUtf8("Tóboggen"));
    EXPECT_EQ(m.fields[Titel], "Dr.");
    EXPECT_EQ(m.fields[Postleitzahl], "17373");
    EXPECT_EQ(m.fields[Ortsname], QString::fromUtf8("Ueckermünde"));
    EXPECT_EQ(m.fields[Wohnsitzlaendercode], "D");
    EXPECT_EQ(m.fields[Strasse], "Chausseestr. 4c ");
    EXPECT_EQ(m.results.FirstAddress.street, "Chausseestr.");
    EXPECT_EQ(m.results.FirstAddress.houseNumber, "4c");
}

TEST(MapPdDocument, OnlyTheFirstCountedAddressGivesPostcodeAndStreet) {
    const Mapped m =
        Map(MapPdDocument,
            Pd(QStringLiteral("<StrassenAdresse><Postleitzahl>22222</Postleitzahl><Ort>Erstort</Ort>"
                              "<Strasse>Erste Str.</Strasse><Hausnummer>1</Hausnummer>"
                              "<Anschriftenzusatz>Hinterhaus</Anschriftenzusatz></StrassenAdresse>"
                              "<Anschrift><Postleitzahl>33333</Postleitzahl><Ort>Zweitort</Ort>"
                              "<Strasse>Zweite Str.</Strasse></Anschrift>")));
    EXPECT_EQ(m.fields[Postleitzahl], "22222");
    EXPECT_EQ(m.fields[Ortsname], "Zweitort");
    EXPECT_EQ(m.fields[Strasse], "Erste Str. 1 Hinterhaus");
}

TEST(MapPdDocument, WithoutAddressTheStreetComesFromEarlierParts) {
    const Mapped none = Map(MapPdDocument, Latin9ToString(test::EgkTestFile("documents/pd_no_address.xml")));
    EXPECT_EQ(none.fields[Strasse], "  ");
    EXPECT_EQ(none.fields[Versichertennummer], "X000000017");
    EXPECT_EQ(none.fields[Geburtsdatum], "31.12.1999");

    Mapped earlier;
    earlier.results.FirstAddress = {QStringLiteral("Alte Str."), QStringLiteral("7"), QString()};
    EXPECT_EQ(Map(MapPdDocument, Latin9ToString(test::EgkTestFile("documents/pd_no_address.xml")), earlier)
                  .fields[Strasse],
              "Alte Str. 7 ");
}

TEST(MapPdDocument, ListHoldsTheFirst61LeavesButAllAreMapped) {
    QString person;
    for (int i = 1; i <= 70; ++i)
        person += QStringLiteral("<Vorname>V%1</Vorname>").arg(i);
    person += QStringLiteral("<Nachname>Letzter</Nachname>");
    const Mapped m = Map(MapPdDocument, Pd(person));
    EXPECT_FALSE(m.failed);
    EXPECT_EQ(m.results.PdElementList[0].name, "Versicherten_ID");
    EXPECT_EQ(m.results.PdElementList[1].text, "V1");
    EXPECT_EQ(m.results.PdElementList[60].text, "V60");
    EXPECT_EQ(m.fields[Vorname], "V70");
    EXPECT_EQ(m.fields[Familienname], "Letzter");
}

TEST(MapGvdDocument, ListHoldsTheFirst21LeavesAndWritesNoField) {
    QString body;
    for (int i = 1; i <= 25; ++i)
        body += QStringLiteral("<Status>%1</Status>").arg(i);
    const Mapped m =
        Map(MapGvdDocument, QStringLiteral("<G><Zuzahlungsstatus>%1</Zuzahlungsstatus></G>").arg(body));
    EXPECT_FALSE(m.failed);
    EXPECT_EQ(m.results.GvdElementList[0].text, "1");
    EXPECT_EQ(m.results.GvdElementList[20].text, "21");
    for (const QString& field : m.fields)
        EXPECT_TRUE(field.isEmpty());
}

TEST(MapGvdDocument, EntriesBeyondThoseWrittenStay) {
    Mapped old;
    for (ElementEntry& entry : old.results.GvdElementList)
        entry = {QStringLiteral("alt"), QStringLiteral("x")};
    const Mapped m = Map(MapGvdDocument, Latin9ToString(test::EgkTestFile("documents/ef_gvd.xml")), old);
    const char* names[] = {"Status", "Aerztlich", "Zahnaerztlich", "alt"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.results.GvdElementList[std::size_t(i)].name, names[i]) << i;
}

QString Nested(int containers, const QString& innermost) {
    QString text = innermost;
    for (int i = 0; i < containers; ++i)
        text = QStringLiteral("<c%1>%2</c%1>").arg(i).arg(text);
    return QStringLiteral("<r><Vorname>Vor</Vorname>%1<Ort>Danach</Ort></r>").arg(text);
}

TEST(MapPdDocument, ThirtyThreeContainersDeepIsTheLimit) {
    const Mapped deepest = Map(MapPdDocument, Nested(33, QStringLiteral("<Nachname>Tief</Nachname>")));
    EXPECT_FALSE(deepest.failed);
    EXPECT_EQ(deepest.fields[Familienname], "Tief");
    EXPECT_EQ(deepest.fields[Ortsname], "Danach");
    EXPECT_EQ(deepest.fields[Strasse], "  ");

    const Mapped tooDeep = Map(MapPdDocument, Nested(34, QStringLiteral("<Nachname>Tief</Nachname>")));
    EXPECT_TRUE(tooDeep.failed);
    EXPECT_EQ(tooDeep.fields[Vorname], "Vor"); // what came before stays
    EXPECT_TRUE(tooDeep.fields[Familienname].isEmpty());
    EXPECT_TRUE(tooDeep.fields[Ortsname].isEmpty());
    EXPECT_TRUE(tooDeep.fields[Strasse].isEmpty()); // no street composition
}

TEST(MapPdDocument, EmptyDocumentElementRecordsNothing) {
    const Mapped m =
        Map(MapPdDocument, QStringLiteral("<UC_PersoenlicheVersichertendatenXML CDM_VERSION=\"5.2.0\"/>"));
    EXPECT_TRUE(m.failed);
    EXPECT_TRUE(m.results.PdElementList[0].name.isEmpty());
    EXPECT_TRUE(m.fields[Strasse].isEmpty());
}

TEST(MapPdDocument, EmptyLeavesAndNonElementFirstChildren) {
    Mapped m;
    m.fields[Familienname] = QStringLiteral("alt");
    m.fields[Geburtsdatum] = QStringLiteral("alt");
    // A container whose first child is a comment is a leaf with all its text.
    m = Map(MapPdDocument,
            Pd(QStringLiteral("<Nachname/><Geburtsdatum></Geburtsdatum><Titel><!--x--><b>Prof.</b></Titel>")),
            m);
    EXPECT_EQ(m.fields[Familienname], "");
    EXPECT_EQ(m.fields[Geburtsdatum], "alt");
    EXPECT_EQ(m.fields[Titel], "Prof.");
    EXPECT_EQ(m.results.PdElementList[1].name, "Nachname");
    EXPECT_EQ(m.results.PdElementList[1].text, "");
    EXPECT_EQ(m.results.PdElementList[3].name, "Titel");
    EXPECT_TRUE(m.results.PdElementList[4].name.isEmpty());
}

} // namespace
} // namespace kc
