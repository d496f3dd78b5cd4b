// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"
#include "data_cases.h"
#include "egk/egk_info_data.h"
#include "egk/latin9.h"
#include "egk/schema_texts.h"
#include "egk/vsd_loading.h"
#include "egk_test_support.h"
#include "fake_context.h"

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

// Everything a load needs, with the user interface replaced, and what a load leaves for the slot.
struct Loader : test::FakeContext {
    EgkFieldBuffer fields;

    ReadResult load(const Doc& doc, const QByteArray& bytes) { return doc.load(ctx, bytes, fields, kSlot); }
    EgkResults& egk() { return state.tables.egk[kSlot]; }
    QString& xml(const Doc& doc) { return egk().EgkXmlText[DocIndex(doc.kind)]; }
    QString& verdict(const Doc& doc) { return egk().EgkValidationText[DocIndex(doc.kind)]; }
    bool warned(const Doc& doc) { return egk().EgkValidationWarning[DocIndex(doc.kind)]; }
    bool mapped(const Doc& doc) { return !TableView(egk(), DocIndex(doc.kind)).rows.empty(); }
    // A schema file below tests/data/egk, or, starting with "<" or empty, the schema text itself.
    void validateWith(const Doc& doc, const QString& schema) {
        state.ValidationEnabled = true;
        state.*doc.schema = schema.isEmpty() || schema.startsWith(QLatin1Char('<'))
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
    EXPECT_EQ(l.status.statuses, QStringList({"Allgemeine Versicherungsdaten werden dekomprimiert."}));
    EXPECT_EQ(l.pump.pendingRuns, 0);
    EXPECT_EQ(l.xml(kVd), "vorher");
}

class DocumentSize : public ::testing::TestWithParam<QStringList> {};

TEST_P(DocumentSize, IsLoadedUpToTheLimit) {
    const int size = GetParam()[1].toInt();
    const ReadResult result = test::ResultOf(GetParam()[2]);
    Loader l;
    l.xml(kGvd) = QStringLiteral("vorher");
    EXPECT_EQ(l.load(kGvd, Gzip(GvdOfSize(size))), result);
    EXPECT_EQ(l.pump.pendingRuns, 1);
    const bool done = result == ReadResult::Done;
    EXPECT_EQ(l.xml(kGvd).size(), done ? size : 6);
    EXPECT_EQ(l.mapped(kGvd), done);
    EXPECT_EQ(l.verdict(kGvd), done ? kNotValidated : QString());
}

INSTANTIATE_TEST_SUITE_P(LoadDocument, DocumentSize,
                         ::testing::ValuesIn(test::CaseRows("egk/document_sizes.txt")),
                         test::FirstCellName());

TEST(LoadDocument, InputThatIsNotGzipPassesThrough) {
    Loader l;
    const QByteArray plain =
        "<?xml version=\"1.0\"?><P><Versicherten_ID>X1</Versicherten_ID><Ort>M\xFCnchen \xA4</Ort></P>";
    EXPECT_EQ(l.load(kPd, plain), ReadResult::Done);
    EXPECT_EQ(l.xml(kPd), Latin9ToString(plain));
    EXPECT_EQ(l.fields[Versichertennummer], "X1");
    EXPECT_EQ(l.fields[Ortsname], QString::fromUtf8("München €"));
}

// A name and a stream, its bytes as Latin-1 text.
std::vector<QStringList> BrokenStreams() {
    const QByteArray good = Gzip(EgkTestFile("documents/ef_gvd.xml"));
    QByteArray badCrc = good;
    badCrc[badCrc.size() - 6] = char(badCrc[badCrc.size() - 6] ^ 0x55);
    QByteArray badData = good;
    for (int i = 12; i < 40; ++i)
        badData[i] = char(0xFF);
    const auto named = [](const char* name, const QByteArray& bytes) {
        return QStringList{QLatin1String(name), QString::fromLatin1(bytes)};
    };
    return {named("badCrc", badCrc),
            named("badData", badData),
            named("half", good.left(good.size() / 2)),
            named("withoutTheSize", good.left(good.size() - 4)),
            named("withoutTheLastByte", good.left(good.size() - 1)),
            named("onlyItsFirstByte", good.left(1)),
            named("decompressesToGzip", Gzip(Gzip(GvdOfSize(500)))),
            named("startsLikeGzip", "\x1F<?xml version=\"1.0\"?><a/>"),
            named("secondByteOfGzip", "<\x8B")};
}

class BrokenStreamCase : public ::testing::TestWithParam<QStringList> {};

// Broken, cut short or still compressed: refused without a box.
TEST_P(BrokenStreamCase, IsRefused) {
    Loader l;
    EXPECT_EQ(l.load(kGvd, GetParam()[1].toLatin1()), ReadResult::Refused);
    EXPECT_TRUE(l.xml(kGvd).isEmpty());
    EXPECT_FALSE(l.mapped(kGvd));
    EXPECT_TRUE(l.boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(LoadDocument, BrokenStreamCase, ::testing::ValuesIn(BrokenStreams()),
                         test::FirstCellName());

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
    for (const QByteArray& text : {QByteArray("<G><Status>1</G>"), QByteArray()})
        for (const bool validating : {false, true}) {
            Loader l;
            if (validating)
                l.validateWith(kGvd, QStringLiteral("schemas/v5.2/Schema_VSD.xsd"));
            EXPECT_EQ(l.load(kGvd, Gzip(text)), validating ? ReadResult::Failed : ReadResult::Done);
            EXPECT_EQ(l.xml(kGvd), QString::fromLatin1(text));
            EXPECT_EQ(l.verdict(kGvd), kNotValidated);
            EXPECT_FALSE(l.mapped(kGvd));
            EXPECT_TRUE(l.boxes.shown.empty());
        }
}

class VerdictCase : public ::testing::TestWithParam<test::DataCase> {};

// The validation verdict decides whether the document is mapped: tests/data/egk/verdicts.txt.
TEST_P(VerdictCase, DecidesWhetherTheDocumentIsMapped) {
    const test::DataCase& c = GetParam();
    const Doc& doc = c.field("doc") == "PD" ? kPd : c.field("doc") == "VD" ? kVd : kGvd;
    Loader l;
    l.validateWith(doc, c.field("schema"));
    QByteArray document = EgkTestFile(c.field("file"));
    if (!c.field("replace").isEmpty())
        document.replace(c.field("replace").toUtf8(), c.field("with").toUtf8());
    EXPECT_EQ(l.load(doc, Gzip(document)), ReadResult::Done);
    const QString verdict = c.field("verdict");
    EXPECT_EQ(l.verdict(doc), verdict);
    const bool passed = verdict.endsWith(QLatin1String("war erfolgreich!"));
    EXPECT_EQ(l.warned(doc), !passed);
    EXPECT_EQ(l.mapped(doc), passed);
    EXPECT_TRUE(l.xml(doc).startsWith("<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<"));
    EXPECT_EQ(l.status.statuses, QStringList({QStringLiteral("%1 werden dekomprimiert.").arg(doc.name),
                                              QStringLiteral("%1 werden validiert.").arg(doc.name)}));
}

INSTANTIATE_TEST_SUITE_P(LoadDocument, VerdictCase, ::testing::ValuesIn(test::DataCases("egk/verdicts.txt")),
                         test::CaseName());

TEST(LoadDocument, SchemaTargetingAnotherNamespaceIsAnErrorInABox) {
    Loader l;
    l.validateWith(kVd, QStringLiteral("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                                       "xmlns:v=\"http://ws.gematik.de/fa/vsdm/vsd/v5.2\" "
                                       "targetNamespace=\"urn:anderer\"/>"));
    EXPECT_EQ(l.load(kVd, Gzip(EgkTestFile("documents/ef_vd.xml"))), ReadResult::Failed);
    EXPECT_EQ(test::Shown(l.boxes.shown),
              QStringList{test::Stop(QString::fromUtf8(
                  "0x80004005\r\nDer Ziel-Namespace des Schemas \"urn:anderer\" stimmt nicht mit dem "
                  "Namespace-URI \"http://ws.gematik.de/fa/vsdm/vsd/v5.2\" überein."))});
    EXPECT_TRUE(l.fields[Krankenkassenname].isEmpty());
}

} // namespace
} // namespace kc
