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
const QString kText1 = QString::fromUtf8("Es wurde keine Validierung der XML Daten durchgeführt!");

using LoadFn = ReadResult (*)(Context&, const QByteArray&, EgkFieldBuffer&, int);

class LoadTest : public ::testing::Test {
  protected:
    ReadResult load(LoadFn fn, const QByteArray& compressed) {
        return fn(bench.ctx, compressed, fields, kSlot);
    }
    EgkResults& egk() { return bench.state.tables.egk[kSlot]; }
    void useSchema(QString AppState::*text, const char* file) {
        bench.state.ValidationEnabled = true;
        bench.state.*text = SchemaTextFromFile(test::EgkTestPath(QLatin1String(file)));
        ASSERT_FALSE((bench.state.*text).isEmpty()) << file;
    }

    test::LoadBench bench;
    EgkFieldBuffer fields;
};

// A GVD document of exactly size bytes.
QByteArray GvdOfSize(int size) {
    const QByteArray head =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?><UC_GeschuetzteVersichertendatenXML><Status>";
    const QByteArray tail = "</Status></UC_GeschuetzteVersichertendatenXML>";
    return head + QByteArray(size - int(head.size() + tail.size()), 'x') + tail;
}

TEST_F(LoadTest, EmptyInputFailsBeforeAnythingHappens) {
    egk().EgkXmlText[DocIndex(DocKind::Vd)] = QStringLiteral("vorher");
    EXPECT_EQ(load(LoadVdDocument, QByteArray()), ReadResult::Failed);
    EXPECT_EQ(bench.status.statuses, QStringList({"Allgemeine Versicherungsdaten werden dekomprimiert."}));
    EXPECT_EQ(bench.pump.pendingRuns, 0);
    EXPECT_EQ(egk().EgkXmlText[DocIndex(DocKind::Vd)], "vorher");
}

TEST_F(LoadTest, StatusLinesOfThePersonalAndProtectedDocuments) {
    const struct {
        LoadFn load;
        QString AppState::*schema;
        const char* document;
        QStringList statuses;
    } cases[] = {
        {LoadPdDocument,
         &AppState::SchemaTextPd,
         "documents/ef_pd.xml",
         {"Persoenliche Versichertendaten werden dekomprimiert.",
          "Persoenliche Versichertendaten werden validiert."}},
        {LoadGvdDocument,
         &AppState::SchemaTextGvd,
         "documents/ef_gvd.xml",
         {"Geschuetzte Versichertendaten werden dekomprimiert.",
          "Geschuetzte Versichertendaten werden validiert."}},
    };
    for (const auto& c : cases) {
        test::LoadBench fresh;
        fresh.state.ValidationEnabled = true;
        fresh.state.*c.schema =
            SchemaTextFromFile(test::EgkTestPath(QStringLiteral("schemas/v5.2/Schema_VSD.xsd")));
        EgkFieldBuffer buffer;
        EXPECT_EQ(c.load(fresh.ctx, Gzip(EgkTestFile(QLatin1String(c.document))), buffer, kSlot),
                  ReadResult::Done)
            << c.document;
        EXPECT_EQ(fresh.status.statuses, c.statuses) << c.document;
    }
}

TEST_F(LoadTest, SizesAroundTheReadChunkAndTheLimit) {
    const struct {
        int size;
        ReadResult result;
    } cases[] = {{2047, ReadResult::Done},  {2048, ReadResult::Done},     {4096, ReadResult::Done},
                 {32767, ReadResult::Done}, {32768, ReadResult::Refused}, {40000, ReadResult::Refused}};
    for (const auto& c : cases) {
        test::LoadBench fresh;
        EgkFieldBuffer buffer;
        fresh.state.tables.egk[kSlot].EgkXmlText[DocIndex(DocKind::Gvd)] = QStringLiteral("vorher");
        EXPECT_EQ(LoadGvdDocument(fresh.ctx, Gzip(GvdOfSize(c.size)), buffer, kSlot), c.result) << c.size;
        EXPECT_EQ(fresh.pump.pendingRuns, 1) << c.size;
        const EgkResults& results = fresh.state.tables.egk[kSlot];
        if (c.result == ReadResult::Done) {
            EXPECT_EQ(results.EgkXmlText[DocIndex(DocKind::Gvd)].size(), c.size);
            EXPECT_EQ(results.GvdElementList[0].name, "Status") << c.size;
            EXPECT_EQ(results.EgkValidationText[DocIndex(DocKind::Gvd)], kText1);
        } else {
            EXPECT_EQ(results.EgkXmlText[DocIndex(DocKind::Gvd)], "vorher") << c.size;
            EXPECT_TRUE(results.GvdElementList[0].name.isEmpty());
        }
    }
}

TEST_F(LoadTest, InputThatIsNotGzipPassesThrough) {
    const QByteArray plain =
        "<?xml version=\"1.0\"?><P><Versicherten_ID>X1</Versicherten_ID><Ort>M\xFCnchen \xA4</Ort></P>";
    EXPECT_EQ(load(LoadPdDocument, plain), ReadResult::Done);
    EXPECT_EQ(egk().EgkXmlText[DocIndex(DocKind::Pd)], Latin9ToString(plain));
    EXPECT_EQ(fields[Versichertennummer], "X1");
    EXPECT_EQ(fields[Ortsname], QString::fromUtf8("München €"));
}

TEST_F(LoadTest, BrokenOrStillCompressedOutputGivesMinusTwo) {
    const QByteArray good = Gzip(GvdOfSize(3000));
    QByteArray badCrc = good;
    badCrc[badCrc.size() - 6] = char(badCrc[badCrc.size() - 6] ^ 0x55);
    QByteArray badData = good;
    for (int i = 12; i < 40; ++i)
        badData[i] = char(0xFF);
    const QByteArray cases[] = {
        badCrc,
        badData,
        Gzip(Gzip(GvdOfSize(500))),                    // decompresses to gzip data
        QByteArray("\x1F<?xml version=\"1.0\"?><a/>"), // not gzip, but starts like it
        QByteArray("<\x8B?xml version=\"1.0\"?><a/>"),
    };
    for (const QByteArray& input : cases) {
        test::LoadBench fresh;
        EgkFieldBuffer buffer;
        EXPECT_EQ(LoadGvdDocument(fresh.ctx, input, buffer, kSlot), ReadResult::Refused)
            << input.toHex().left(40).toStdString();
        EXPECT_EQ(fresh.pump.pendingRuns, 1);
        EXPECT_TRUE(fresh.state.tables.egk[kSlot].EgkValidationText[DocIndex(DocKind::Gvd)].isEmpty());
        EXPECT_TRUE(fresh.boxes.shown.empty());
    }
}

TEST_F(LoadTest, StreamCutShortIsAFailedDecompression) {
    const QByteArray document = EgkTestFile("documents/ef_pd.xml");
    const QByteArray compressed = Gzip(document);
    for (const qsizetype keep : {compressed.size() / 2, compressed.size() - 4, compressed.size() - 1}) {
        test::LoadBench fresh;
        EgkFieldBuffer buffer;
        EXPECT_EQ(LoadPdDocument(fresh.ctx, compressed.left(keep), buffer, kSlot), ReadResult::Refused)
            << keep;
        EXPECT_TRUE(fresh.state.tables.egk[kSlot].EgkXmlText[DocIndex(DocKind::Pd)].isEmpty());
        EXPECT_TRUE(buffer[Versichertennummer].isEmpty());
    }
    EXPECT_EQ(load(LoadPdDocument, compressed), ReadResult::Done);
    EXPECT_FALSE(fields[Versichertennummer].isEmpty());
}

TEST_F(LoadTest, UnknownEncodingIsLoadedWithTheDeclarationReplaced) {
    const QByteArray text =
        "<?xml version=\"1.0\" encoding=\"X-KARTO-9\" standalone=\"yes\"?>\r\n"
        "<P>\r\n  <Versicherter>\r\n    <Versicherten_ID>X2</Versicherten_ID>\r\n  </Versicherter>\r\n</P>";
    EXPECT_EQ(load(LoadPdDocument, Gzip(text)), ReadResult::Done);
    EXPECT_EQ(fields[Versichertennummer], "X2");
    EXPECT_EQ(egk().EgkXmlText[DocIndex(DocKind::Pd)], QString::fromLatin1(text));
    EXPECT_EQ(egk().EgkValidationText[DocIndex(DocKind::Pd)], kText1);
    EXPECT_TRUE(egk().EgkValidationWarning[DocIndex(DocKind::Pd)]);
}

TEST_F(LoadTest, UnparseableDocumentIsKeptButNotMapped) {
    EXPECT_EQ(load(LoadVdDocument, Gzip("<?xml version=\"1.0\"?><V><Name>Kasse</Name>")), ReadResult::Done);
    EXPECT_EQ(load(LoadVdDocument, Gzip("kein XML")), ReadResult::Done);
    EXPECT_TRUE(fields[Krankenkassenname].isEmpty());
    EXPECT_EQ(egk().EgkXmlText[DocIndex(DocKind::Vd)], "kein XML");
    EXPECT_EQ(egk().EgkValidationText[DocIndex(DocKind::Vd)], kText1);
    EXPECT_TRUE(egk().VdElementList[0].name.isEmpty());
    EXPECT_TRUE(bench.boxes.shown.empty());
}

TEST_F(LoadTest, PassesAgainstASchemaThatFixesCdmVersion) {
    useSchema(&AppState::SchemaTextVd, "schemas/own/VD_CDM_5.1.0.xsd");
    EXPECT_EQ(load(LoadVdDocument, Gzip(EgkTestFile("documents/v51.vd.xml"))), ReadResult::Done);
    EXPECT_EQ(egk().EgkValidationText[DocIndex(DocKind::Vd)],
              QString::fromUtf8("Die lokale Validierung der XML Daten CDM_VERSION 5.1.0\r\n"
                                "mittels vorgegebenen Schema für UC_allgemeineVersicherungsdatenXML "
                                "(CDM_VERSION 5.1.0)\r\nwar erfolgreich!"));
    EXPECT_FALSE(egk().EgkValidationWarning[DocIndex(DocKind::Vd)]);
    EXPECT_EQ(fields[Krankenkassenname], "Techniker Krankenkasse");
    EXPECT_EQ(fields[Krankenkassennummer], "101575519");
    EXPECT_TRUE(egk().EgkXmlText[DocIndex(DocKind::Vd)].startsWith(
        "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<UC_AllgemeineVersicherungsdatenXML"));
    EXPECT_EQ(bench.status.statuses, QStringList({"Allgemeine Versicherungsdaten werden dekomprimiert.",
                                                  "Allgemeine Versicherungsdaten werden validiert."}));
}

TEST_F(LoadTest, FailsAgainstASchemaThatFixesAnotherCdmVersion) {
    useSchema(&AppState::SchemaTextVd, "schemas/own/VD_CDM_5.1.0.xsd");
    QByteArray document = EgkTestFile("documents/v51.vd.xml");
    document.replace("CDM_VERSION=\"5.1.0\"", "CDM_VERSION=\"5.1.1\"");
    EXPECT_EQ(load(LoadVdDocument, Gzip(document)), ReadResult::Done);
    EXPECT_EQ(egk().EgkValidationText[DocIndex(DocKind::Vd)],
              QString::fromUtf8("Die lokale Validierung der XML Daten CDM_VERSION 5.1.1\r\n"
                                "mittels vorgegebenen Schema für UC_allgemeineVersicherungsdatenXML "
                                "(CDM_VERSION 5.1.0)\r\nwar nicht erfolgreich!"));
    EXPECT_TRUE(egk().EgkValidationWarning[DocIndex(DocKind::Vd)]);
    EXPECT_TRUE(fields[Krankenkassenname].isEmpty());
    EXPECT_TRUE(egk().VdElementList[0].name.isEmpty());
}

TEST_F(LoadTest, RealSchemasValidateRealDocuments) {
    const struct {
        LoadFn load;
        QString AppState::*schema;
        const char* schemaFile;
        const char* document;
        DocKind kind;
        const char* expected;
    } cases[] = {
        {LoadPdDocument, &AppState::SchemaTextPd, "schemas/v5.1/UC_PersoenlicheVersichertendatenXML.xsd",
         "documents/v51.pd.xml", DocKind::Pd,
         "Die lokale Validierung der XML Daten CDM_VERSION 5.1.0\r\nmittels vorgegebenen Schema für "
         "UC_PersoenlicheVersichertendatenXML (version 5.1.0)\r\nwar erfolgreich!"},
        {LoadVdDocument, &AppState::SchemaTextVd, "schemas/v5.2/Schema_VSD.xsd", "documents/ef_vd.xml",
         DocKind::Vd,
         "Die lokale Validierung der XML Daten CDM_VERSION 5.2.0\r\nmittels vorgegebenen Schema für "
         "UC_allgemeineVersicherungsdatenXML (version 5.2.0)\r\nwar erfolgreich!"},
        {LoadPdDocument, &AppState::SchemaTextPd, "schemas/v5.2/Schema_VSD.xsd", "documents/v52.pd.xml",
         DocKind::Pd,
         "Die lokale Validierung der XML Daten CDM_VERSION 5.2.0\r\nmittels vorgegebenen Schema für "
         "UC_PersoenlicheVersichertendatenXML (version 5.2.0)\r\nwar erfolgreich!"},
        {LoadGvdDocument, &AppState::SchemaTextGvd, "schemas/v5.2/Schema_VSD.xsd", "documents/ef_gvd.xml",
         DocKind::Gvd,
         "Die lokale Validierung der XML Daten CDM_VERSION 5.2.0\r\nmittels vorgegebenen Schema für "
         "UC_geschuetzteVersichertendatenXML (version 5.2.0)\r\nwar erfolgreich!"},
    };
    for (const auto& c : cases) {
        test::LoadBench fresh;
        fresh.state.ValidationEnabled = true;
        fresh.state.*c.schema = SchemaTextFromFile(test::EgkTestPath(QLatin1String(c.schemaFile)));
        EgkFieldBuffer buffer;
        EXPECT_EQ(c.load(fresh.ctx, Gzip(EgkTestFile(QLatin1String(c.document))), buffer, kSlot),
                  ReadResult::Done)
            << c.document;
        const EgkResults& results = fresh.state.tables.egk[kSlot];
        EXPECT_EQ(results.EgkValidationText[DocIndex(c.kind)], QString::fromUtf8(c.expected)) << c.document;
        EXPECT_FALSE(results.EgkValidationWarning[DocIndex(c.kind)]) << c.document;
    }
}

TEST_F(LoadTest, RealSchemaRejectsADocumentMissingARequiredElement) {
    useSchema(&AppState::SchemaTextPd, "schemas/v5.2/Schema_VSD.xsd");
    QByteArray document = EgkTestFile("documents/ef_pd.xml");
    document.replace("<Versicherten_ID>X110347349</Versicherten_ID>", "");
    EXPECT_EQ(load(LoadPdDocument, Gzip(document)), ReadResult::Done);
    EXPECT_EQ(
        egk().EgkValidationText[DocIndex(DocKind::Pd)],
        QString::fromUtf8("Die lokale Validierung der XML Daten CDM_VERSION 5.2.0\r\nmittels vorgegebenen "
                          "Schema für UC_PersoenlicheVersichertendatenXML (version 5.2.0)\r\n"
                          "war nicht erfolgreich!"));
    EXPECT_TRUE(egk().EgkValidationWarning[DocIndex(DocKind::Pd)]);
    EXPECT_TRUE(fields[Familienname].isEmpty());
}

TEST_F(LoadTest, NamespaceOfAnotherSchemaGivesTextTwo) {
    useSchema(&AppState::SchemaTextVd, "schemas/v5.2/Schema_VSD.xsd");
    EXPECT_EQ(load(LoadVdDocument, Gzip(EgkTestFile("documents/v51.vd.xml"))), ReadResult::Done);
    EXPECT_EQ(egk().EgkValidationText[DocIndex(DocKind::Vd)],
              QString::fromUtf8(
                  "Eine lokale Validierung der XML Daten CDM_VERSION 5.1.0 konnte nicht durchgeführt "
                  "werden!\r\n\r\nDer URI-Verweis für den Namespace dieses Schemas ist nicht zutreffend!"));
    EXPECT_TRUE(egk().EgkValidationWarning[DocIndex(DocKind::Vd)]);
    EXPECT_TRUE(fields[Krankenkassenname].isEmpty());
}

TEST_F(LoadTest, MissingOrUnusableSchemaTextGivesTextThree) {
    for (const QString& schemaText : {QString(), QStringLiteral("<kein Schema")}) {
        test::LoadBench fresh;
        fresh.state.ValidationEnabled = true;
        fresh.state.SchemaTextPd = schemaText;
        EgkFieldBuffer buffer;
        EXPECT_EQ(LoadPdDocument(fresh.ctx, Gzip(EgkTestFile("documents/ef_pd.xml")), buffer, kSlot),
                  ReadResult::Done);
        const EgkResults& results = fresh.state.tables.egk[kSlot];
        EXPECT_EQ(
            results.EgkValidationText[DocIndex(DocKind::Pd)],
            QString::fromUtf8("Eine Validierung der XML Daten CDM_VERSION 5.2.0 konnte nicht durchgeführt "
                              "werden!\r\n\r\nKein lokales XSD-Schema verfügbar! "));
        EXPECT_TRUE(results.EgkValidationWarning[DocIndex(DocKind::Pd)]);
        EXPECT_TRUE(buffer[Versichertennummer].isEmpty());
        EXPECT_TRUE(results.EgkXmlText[DocIndex(DocKind::Pd)].startsWith(
            "<?xml version=\"1.0\" standalone=\"yes\"?>"));
    }
}

TEST_F(LoadTest, UnparseableDocumentWithValidationOnFails) {
    useSchema(&AppState::SchemaTextGvd, "schemas/v5.2/Schema_VSD.xsd");
    EXPECT_EQ(load(LoadGvdDocument, Gzip("<G><Status>1</G>")), ReadResult::Failed);
    EXPECT_EQ(egk().EgkXmlText[DocIndex(DocKind::Gvd)], "<G><Status>1</G>");
    EXPECT_EQ(egk().EgkValidationText[DocIndex(DocKind::Gvd)], kText1);
    EXPECT_TRUE(bench.boxes.shown.empty());
}

TEST_F(LoadTest, SchemaTargetingAnotherNamespaceIsAnErrorInABox) {
    bench.state.ValidationEnabled = true;
    bench.state.SchemaTextVd = QStringLiteral("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                                              "xmlns:v=\"http://ws.gematik.de/fa/vsdm/vsd/v5.2\" "
                                              "targetNamespace=\"urn:anderer\"/>");
    EXPECT_EQ(load(LoadVdDocument, Gzip(EgkTestFile("documents/ef_vd.xml"))), ReadResult::Failed);
    ASSERT_EQ(bench.boxes.shown.size(), 1u);
    EXPECT_TRUE(test::IsErrorBox(
        bench.boxes.shown[0],
        QString::fromUtf8("0x80004005\r\nDer Ziel-Namespace des Schemas \"urn:anderer\" stimmt nicht mit dem "
                          "Namespace-URI \"http://ws.gematik.de/fa/vsdm/vsd/v5.2\" überein.")));
    EXPECT_TRUE(fields[Krankenkassenname].isEmpty());
}

TEST_F(LoadTest, RealG1CardWithVsd51) {
    const QByteArray efVd = EgkTestFile("cards/EgkSimG1__EF_VD.hex");
    EXPECT_EQ(load(LoadPdDocument, test::PdStretch(EgkTestFile("cards/EgkSimG1__EF_PD.hex"))),
              ReadResult::Done);
    EXPECT_EQ(load(LoadVdDocument, test::VdStretch(efVd)), ReadResult::Done);
    EXPECT_EQ(load(LoadGvdDocument, test::GvdStretchOfVd(efVd)), ReadResult::Done);
    EXPECT_EQ(fields[Versichertennummer], "D110104619");
    EXPECT_EQ(fields[Geburtsdatum], "12.01.1980");
    EXPECT_EQ(fields[Vorname], "Ltu");
    EXPECT_EQ(fields[Familienname], "Musterkarte-0461");
    EXPECT_EQ(fields[Strasse], QString::fromUtf8("Mühlenstr. 46 "));
    EXPECT_EQ(fields[Postleitzahl], "24937");
    EXPECT_EQ(fields[Ortsname], "Flensburg");
    EXPECT_EQ(fields[Wohnsitzlaendercode], "D");
    EXPECT_EQ(fields[Krankenkassenname], "Deutsche Angestellten Krankenkasse");
    EXPECT_EQ(fields[Krankenkassennummer], "101560000");
    EXPECT_EQ(fields[VKNR], "01");
    EXPECT_EQ(fields[Versichertenstatus], "2");
    EXPECT_EQ(fields[Statusergaenzung], "1");
    EXPECT_EQ(egk().GvdElementList[0].name, "Status");
    EXPECT_EQ(egk().GvdElementList[1].name, "DMP_Kennzeichnung");
    EXPECT_EQ(egk().GvdElementList[1].text, "3");
}

TEST_F(LoadTest, RealG2CardWithCrLfAndPrefixValidatesAgainstTheInstalledSchema) {
    useSchema(&AppState::SchemaTextPd, "schemas/v5.2/Schema_VSD.xsd");
    useSchema(&AppState::SchemaTextVd, "schemas/v5.2/Schema_VSD.xsd");
    useSchema(&AppState::SchemaTextGvd, "schemas/v5.2/Schema_VSD.xsd");
    const QByteArray efVd = EgkTestFile("cards/TLK_eGK_G2_sample__EF_VD.hex");
    EXPECT_EQ(load(LoadPdDocument, test::PdStretch(EgkTestFile("cards/TLK_eGK_G2_sample__EF_PD.hex"))),
              ReadResult::Done);
    EXPECT_EQ(load(LoadVdDocument, test::VdStretch(efVd)), ReadResult::Done);
    EXPECT_EQ(load(LoadGvdDocument, test::GvdStretchOfVd(efVd)), ReadResult::Done);
    for (DocKind kind : {DocKind::Pd, DocKind::Vd, DocKind::Gvd})
        EXPECT_FALSE(egk().EgkValidationWarning[DocIndex(kind)])
            << egk().EgkValidationText[DocIndex(kind)].toStdString();
    EXPECT_EQ(fields[Familienname], QString::fromUtf8("Tóboggen"));
    EXPECT_EQ(fields[Ortsname], QString::fromUtf8("Ueckermünde"));
    EXPECT_EQ(fields[Strasse], "Chausseestr. 4c ");
    EXPECT_EQ(fields[Geburtsdatum], "09.03.1964");
    EXPECT_EQ(fields[Krankenkassenname], "gematik Musterkasse1GKV");
    EXPECT_EQ(fields[Krankenkassennummer], "999567890");
    EXPECT_EQ(fields[Gueltigkeitsdatum], "31.12.2015");
    EXPECT_EQ(fields[VKNR], "78");
    EXPECT_EQ(egk().PdElementList[0].name, "Versicherten_ID");
    EXPECT_EQ(egk().GvdElementList[1].name, "Gueltig_bis");
}

TEST_F(LoadTest, RealG2CardDecompressesByteForByte) {
    EXPECT_EQ(
        load(LoadPdDocument, test::PdStretch(EgkTestFile("cards/EGKG2_80276883110000017222__EF_PD.hex"))),
        ReadResult::Done);
    EXPECT_EQ(
        load(LoadVdDocument, test::VdStretch(EgkTestFile("cards/EGKG2_80276883110000017222__EF_VD.hex"))),
        ReadResult::Done);
    EXPECT_EQ(egk().EgkXmlText[DocIndex(DocKind::Pd)],
              Latin9ToString(EgkTestFile("cards/EGKG2_80276883110000017222__EF_PD.xml")));
    EXPECT_EQ(egk().EgkXmlText[DocIndex(DocKind::Vd)],
              Latin9ToString(EgkTestFile("cards/EGKG2_80276883110000017222__EF_VD__VD.xml")));
    EXPECT_EQ(fields[Versichertennummer], "X110359890");
    EXPECT_EQ(fields[Titel], "Prof. Dr.");
    EXPECT_EQ(fields[Strasse], "Bahnhofstr. 39 b ");
    EXPECT_EQ(fields[Krankenkassenname], "gematik Musterkasse1GKV");
    EXPECT_EQ(fields[Krankenkassennummer], "999567890");
    EXPECT_EQ(fields[VKNR], "46");
}

} // namespace
} // namespace kc
