#include "egk/latin9.h"
#include "egk/schema_texts.h"
#include "egk/vsd_loading.h"
#include "egk_test_support.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::EgkTestFile;
using test::Gzip;

constexpr int kSlot = 3;
const QString kNotValidated = QString::fromUtf8("Es wurde keine Validierung der XML Daten durchgeführt!");

struct Doc {
    ReadResult (*load)(Context&, const QByteArray&, EgkFieldBuffer&, int);
    QString AppState::*schema;
    DocKind kind;
    const char* name;
};
const Doc kPd{LoadPdDocument, &AppState::SchemaTextPd, DocKind::Pd, "Persoenliche Versichertendaten"};
const Doc kVd{LoadVdDocument, &AppState::SchemaTextVd, DocKind::Vd, "Allgemeine Versicherungsdaten"};
const Doc kGvd{LoadGvdDocument, &AppState::SchemaTextGvd, DocKind::Gvd, "Geschuetzte Versichertendaten"};

// One load bench per case, and what a load leaves for the slot.
struct Loader {
    test::LoadBench bench;
    EgkFieldBuffer fields;

    ReadResult load(const Doc& doc, const QByteArray& bytes) {
        return doc.load(bench.ctx, bytes, fields, kSlot);
    }
    EgkResults& egk() { return bench.state.tables.egk[kSlot]; }
    QString& xml(const Doc& doc) { return egk().EgkXmlText[DocIndex(doc.kind)]; }
    QString& verdict(const Doc& doc) { return egk().EgkValidationText[DocIndex(doc.kind)]; }
    bool warned(const Doc& doc) { return egk().EgkValidationWarning[DocIndex(doc.kind)]; }
    bool mapped(const Doc& doc) {
        const EgkResults& r = egk();
        const QString& first = doc.kind == DocKind::Pd   ? r.PdElementList[0].name
                               : doc.kind == DocKind::Vd ? r.VdElementList[0].name
                                                         : r.GvdElementList[0].name;
        return !first.isEmpty();
    }
    // A schema file below tests/data/egk, or, starting with "<" or empty, the schema text itself.
    void validateWith(const Doc& doc, const QString& schema) {
        bench.state.ValidationEnabled = true;
        bench.state.*doc.schema = schema.isEmpty() || schema.startsWith(QLatin1Char('<'))
                                      ? schema
                                      : SchemaTextFromFile(test::EgkTestPath(schema));
    }
};

// A GVD document of exactly size bytes.
QByteArray GvdOfSize(int size) {
    const QByteArray head =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?><UC_GeschuetzteVersichertendatenXML><Status>";
    const QByteArray tail = "</Status></UC_GeschuetzteVersichertendatenXML>";
    return head + QByteArray(size - int(head.size() + tail.size()), 'x') + tail;
}

TEST(LoadDocument, EmptyInputFailsBeforeAnythingHappens) {
    Loader l;
    l.xml(kVd) = QStringLiteral("vorher");
    EXPECT_EQ(l.load(kVd, QByteArray()), ReadResult::Failed);
    EXPECT_EQ(l.bench.status.statuses, QStringList({"Allgemeine Versicherungsdaten werden dekomprimiert."}));
    EXPECT_EQ(l.bench.pump.pendingRuns, 0);
    EXPECT_EQ(l.xml(kVd), "vorher");
}

TEST(LoadDocument, SizesAroundTheReadChunkAndTheLimit) {
    const struct {
        int size;
        ReadResult result;
    } cases[] = {{2047, ReadResult::Done},  {2048, ReadResult::Done},     {4096, ReadResult::Done},
                 {32767, ReadResult::Done}, {32768, ReadResult::Refused}, {40000, ReadResult::Refused}};
    for (const auto& c : cases) {
        Loader l;
        l.xml(kGvd) = QStringLiteral("vorher");
        EXPECT_EQ(l.load(kGvd, Gzip(GvdOfSize(c.size))), c.result) << c.size;
        EXPECT_EQ(l.bench.pump.pendingRuns, 1) << c.size;
        const bool done = c.result == ReadResult::Done;
        EXPECT_EQ(l.xml(kGvd).size(), done ? c.size : 6) << c.size;
        EXPECT_EQ(l.mapped(kGvd), done) << c.size;
        EXPECT_EQ(l.verdict(kGvd), done ? kNotValidated : QString()) << c.size;
    }
}

TEST(LoadDocument, InputThatIsNotGzipPassesThrough) {
    Loader l;
    const QByteArray plain =
        "<?xml version=\"1.0\"?><P><Versicherten_ID>X1</Versicherten_ID><Ort>M\xFCnchen \xA4</Ort></P>";
    EXPECT_EQ(l.load(kPd, plain), ReadResult::Done);
    EXPECT_EQ(l.xml(kPd), Latin9ToString(plain));
    EXPECT_EQ(l.fields[Versichertennummer], "X1");
    EXPECT_EQ(l.fields[Ortsname], QString::fromUtf8("München €"));
}

TEST(LoadDocument, BrokenCutShortOrStillCompressedStreamsAreRefused) {
    const QByteArray good = Gzip(EgkTestFile("documents/ef_gvd.xml"));
    QByteArray badCrc = good;
    badCrc[badCrc.size() - 6] = char(badCrc[badCrc.size() - 6] ^ 0x55);
    QByteArray badData = good;
    for (int i = 12; i < 40; ++i)
        badData[i] = char(0xFF);
    const QByteArray cases[] = {
        badCrc,
        badData,
        good.left(good.size() / 2),
        good.left(good.size() - 4),
        good.left(good.size() - 1),
        Gzip(Gzip(GvdOfSize(500))),                    // decompresses to gzip data
        QByteArray("\x1F<?xml version=\"1.0\"?><a/>"), // not gzip, but starts like it
        QByteArray("<\x8B?xml version=\"1.0\"?><a/>"),
    };
    for (const QByteArray& input : cases) {
        Loader l;
        EXPECT_EQ(l.load(kGvd, input), ReadResult::Refused) << input.toHex().left(40).toStdString();
        EXPECT_EQ(l.bench.pump.pendingRuns, 1);
        EXPECT_TRUE(l.xml(kGvd).isEmpty());
        EXPECT_TRUE(l.verdict(kGvd).isEmpty());
        EXPECT_FALSE(l.mapped(kGvd));
        EXPECT_TRUE(l.bench.boxes.shown.empty());
    }
    Loader l;
    EXPECT_EQ(l.load(kGvd, good), ReadResult::Done);
}

TEST(LoadDocument, UnknownEncodingIsLoadedWithTheDeclarationReplaced) {
    Loader l;
    const QByteArray text =
        "<?xml version=\"1.0\" encoding=\"X-KARTO-9\" standalone=\"yes\"?>\r\n"
        "<P>\r\n  <Versicherter>\r\n    <Versicherten_ID>X2</Versicherten_ID>\r\n  </Versicherter>\r\n</P>";
    EXPECT_EQ(l.load(kPd, Gzip(text)), ReadResult::Done);
    EXPECT_EQ(l.fields[Versichertennummer], "X2");
    EXPECT_EQ(l.xml(kPd), QString::fromLatin1(text));
    EXPECT_EQ(l.verdict(kPd), kNotValidated);
    EXPECT_TRUE(l.warned(kPd));
}

TEST(LoadDocument, UnparseableDocumentIsKeptButNotMappedAndFailsWhenValidating) {
    for (const bool validating : {false, true}) {
        Loader l;
        if (validating)
            l.validateWith(kGvd, QStringLiteral("schemas/v5.2/Schema_VSD.xsd"));
        EXPECT_EQ(l.load(kGvd, Gzip("<G><Status>1</G>")), validating ? ReadResult::Failed : ReadResult::Done);
        EXPECT_EQ(l.xml(kGvd), "<G><Status>1</G>");
        EXPECT_EQ(l.verdict(kGvd), kNotValidated);
        EXPECT_FALSE(l.mapped(kGvd));
        EXPECT_TRUE(l.bench.boxes.shown.empty());
    }
}

QString Verdict(const char* version, const char* schemaName, const char* schemaVersion, bool passed) {
    return QString::fromUtf8(
               "Die lokale Validierung der XML Daten CDM_VERSION %1\r\nmittels vorgegebenen Schema "
               "für %2 (%3)\r\nwar %4erfolgreich!")
        .arg(QLatin1String(version), QLatin1String(schemaName), QLatin1String(schemaVersion),
             QLatin1String(passed ? "" : "nicht "));
}

TEST(LoadDocument, ValidationVerdictDecidesWhetherTheDocumentIsMapped) {
    const char* own = "schemas/own/VD_CDM_5.1.0.xsd";
    const char* v52 = "schemas/v5.2/Schema_VSD.xsd";
    const char* vd = "UC_allgemeineVersicherungsdatenXML";
    const char* pd = "UC_PersoenlicheVersichertendatenXML";
    const struct {
        const Doc& doc;
        const char* schema;
        const char* document;
        QByteArray from, to; // a change made to the document first
        QString verdict;
    } cases[] = {
        {kVd, own, "documents/v51.vd.xml", {}, {}, Verdict("5.1.0", vd, "CDM_VERSION 5.1.0", true)},
        {kVd, own, "documents/v51.vd.xml", "CDM_VERSION=\"5.1.0\"", "CDM_VERSION=\"5.1.1\"",
         Verdict("5.1.1", vd, "CDM_VERSION 5.1.0", false)},
        {kPd,
         "schemas/v5.1/UC_PersoenlicheVersichertendatenXML.xsd",
         "documents/v51.pd.xml",
         {},
         {},
         Verdict("5.1.0", pd, "version 5.1.0", true)},
        {kVd, v52, "documents/ef_vd.xml", {}, {}, Verdict("5.2.0", vd, "version 5.2.0", true)},
        {kPd, v52, "documents/v52.pd.xml", {}, {}, Verdict("5.2.0", pd, "version 5.2.0", true)},
        {kGvd,
         v52,
         "documents/ef_gvd.xml",
         {},
         {},
         Verdict("5.2.0", "UC_geschuetzteVersichertendatenXML", "version 5.2.0", true)},
        {kPd, v52, "documents/ef_pd.xml", "<Versicherten_ID>X110347349</Versicherten_ID>", "",
         Verdict("5.2.0", pd, "version 5.2.0", false)},
        {kVd,
         v52,
         "documents/v51.vd.xml",
         {},
         {},
         QString::fromUtf8(
             "Eine lokale Validierung der XML Daten CDM_VERSION 5.1.0 konnte nicht durchgeführt "
             "werden!\r\n\r\nDer URI-Verweis für den Namespace dieses Schemas ist nicht "
             "zutreffend!")},
        {kPd,
         "",
         "documents/ef_pd.xml",
         {},
         {},
         QString::fromUtf8("Eine Validierung der XML Daten CDM_VERSION 5.2.0 konnte nicht durchgeführt "
                           "werden!\r\n\r\nKein lokales XSD-Schema verfügbar! ")},
        {kPd,
         "<kein Schema",
         "documents/ef_pd.xml",
         {},
         {},
         QString::fromUtf8("Eine Validierung der XML Daten CDM_VERSION 5.2.0 konnte nicht durchgeführt "
                           "werden!\r\n\r\nKein lokales XSD-Schema verfügbar! ")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.schema) + " " + c.document);
        Loader l;
        l.validateWith(c.doc, QString::fromUtf8(c.schema));
        QByteArray document = EgkTestFile(QLatin1String(c.document));
        if (!c.from.isEmpty())
            document.replace(c.from, c.to);
        EXPECT_EQ(l.load(c.doc, Gzip(document)), ReadResult::Done);
        EXPECT_EQ(l.verdict(c.doc), c.verdict);
        const bool passed = c.verdict.endsWith(QLatin1String("war erfolgreich!"));
        EXPECT_EQ(l.warned(c.doc), !passed);
        EXPECT_EQ(l.mapped(c.doc), passed);
        EXPECT_TRUE(l.xml(c.doc).startsWith("<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<"));
        EXPECT_EQ(l.bench.status.statuses,
                  QStringList({QStringLiteral("%1 werden dekomprimiert.").arg(c.doc.name),
                               QStringLiteral("%1 werden validiert.").arg(c.doc.name)}));
    }
}

TEST(LoadDocument, SchemaTargetingAnotherNamespaceIsAnErrorInABox) {
    Loader l;
    l.validateWith(kVd, QStringLiteral("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                                       "xmlns:v=\"http://ws.gematik.de/fa/vsdm/vsd/v5.2\" "
                                       "targetNamespace=\"urn:anderer\"/>"));
    EXPECT_EQ(l.load(kVd, Gzip(EgkTestFile("documents/ef_vd.xml"))), ReadResult::Failed);
    ASSERT_EQ(l.bench.boxes.shown.size(), 1u);
    EXPECT_TRUE(test::IsErrorBox(
        l.bench.boxes.shown[0],
        QString::fromUtf8("0x80004005\r\nDer Ziel-Namespace des Schemas \"urn:anderer\" stimmt nicht mit dem "
                          "Namespace-URI \"http://ws.gematik.de/fa/vsdm/vsd/v5.2\" überein.")));
    EXPECT_TRUE(l.fields[Krankenkassenname].isEmpty());
}

// The documents of a real card's files; with validation, against the installed schema.
void LoadCard(Loader& l, const QString& card, bool validating, bool withGvd = true) {
    const QByteArray efVd = EgkTestFile(QStringLiteral("cards/%1__EF_VD.hex").arg(card));
    for (const Doc* doc : {&kPd, &kVd, &kGvd}) {
        if (validating)
            l.validateWith(*doc, QStringLiteral("schemas/v5.2/Schema_VSD.xsd"));
    }
    EXPECT_EQ(l.load(kPd, test::PdStretch(EgkTestFile(QStringLiteral("cards/%1__EF_PD.hex").arg(card)))),
              ReadResult::Done);
    EXPECT_EQ(l.load(kVd, test::VdStretch(efVd)), ReadResult::Done);
    if (withGvd) {
        EXPECT_EQ(l.load(kGvd, test::GvdStretchOfVd(efVd)), ReadResult::Done);
    }
}

TEST(LoadDocument, RealCardsGiveTheirInsuredAndInsurer) {
    const struct {
        const char* card;
        bool validating;
        std::vector<std::pair<InsuredField, const char*>> fields;
        const char* secondGvdElement;
    } cases[] = {
        {"EgkSimG1",
         false,
         {{Versichertennummer, "D110104619"},
          {Geburtsdatum, "12.01.1980"},
          {Vorname, "Ltu"},
          {Familienname, "Musterkarte-0461"},
          {Strasse, "Mühlenstr. 46 "},
          {Postleitzahl, "24937"},
          {Ortsname, "Flensburg"},
          {Wohnsitzlaendercode, "D"},
          {Krankenkassenname, "Deutsche Angestellten Krankenkasse"},
          {Krankenkassennummer, "101560000"},
          {VKNR, "01"},
          {Versichertenstatus, "2"},
          {Statusergaenzung, "1"}},
         "DMP_Kennzeichnung"},
        {"TLK_eGK_G2_sample",
         true,
         {{Familienname, "Tóboggen"},
          {Ortsname, "Ueckermünde"},
          {Strasse, "Chausseestr. 4c "},
          {Geburtsdatum, "09.03.1964"},
          {Krankenkassenname, "gematik Musterkasse1GKV"},
          {Krankenkassennummer, "999567890"},
          {Gueltigkeitsdatum, "31.12.2015"},
          {VKNR, "78"}},
         "Gueltig_bis"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.card);
        Loader l;
        LoadCard(l, QLatin1String(c.card), c.validating);
        for (const Doc* doc : {&kPd, &kVd, &kGvd})
            EXPECT_EQ(l.warned(*doc), !c.validating) << l.verdict(*doc).toStdString();
        for (const auto& [field, value] : c.fields)
            EXPECT_EQ(l.fields[field], QString::fromUtf8(value)) << field;
        EXPECT_EQ(l.egk().PdElementList[0].name, "Versicherten_ID");
        EXPECT_EQ(l.egk().GvdElementList[1].name, c.secondGvdElement);
    }
}

TEST(LoadDocument, RealG2CardDecompressesByteForByte) {
    Loader l;
    LoadCard(l, QStringLiteral("EGKG2_80276883110000017222"), false, false);
    EXPECT_EQ(l.xml(kPd), Latin9ToString(EgkTestFile("cards/EGKG2_80276883110000017222__EF_PD.xml")));
    EXPECT_EQ(l.xml(kVd), Latin9ToString(EgkTestFile("cards/EGKG2_80276883110000017222__EF_VD__VD.xml")));
    EXPECT_EQ(l.fields[Versichertennummer], "X110359890");
    EXPECT_EQ(l.fields[Titel], "Prof. Dr.");
    EXPECT_EQ(l.fields[Strasse], "Bahnhofstr. 39 b ");
    EXPECT_EQ(l.fields[Krankenkassenname], "gematik Musterkasse1GKV");
    EXPECT_EQ(l.fields[Krankenkassennummer], "999567890");
    EXPECT_EQ(l.fields[VKNR], "46");
}

} // namespace
} // namespace kc
