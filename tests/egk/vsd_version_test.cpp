#include "egk/latin9.h"
#include "egk/vsd_version.h"
#include "egk_test_support.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

struct Found {
    int16_t result;
    QString version;
};

template <int16_t (*Find)(const XmlNode&, QString&)> Found VersionOf(const QString& text) {
    auto document = test::Parsed(text);
    Found found{0, QStringLiteral("unverändert")};
    found.result = Find(document->documentElement(), found.version);
    return found;
}
constexpr auto SchemaVersionOf = VersionOf<FindSchemaVersion>;
constexpr auto DocumentVersionOf = VersionOf<FindDocumentVersion>;

QString Schema(const QString& body) {
    return QStringLiteral(
               "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" version=\"1.0\">%1</xs:schema>")
        .arg(body);
}

TEST(FindSchemaVersion, RealSchemasFixNoVersionOurOwnDoes) {
    const Found own = SchemaVersionOf(QString::fromUtf8(test::EgkTestFile("schemas/own/VD_CDM_5.1.0.xsd")));
    EXPECT_EQ(own.result, 0);
    EXPECT_EQ(own.version, "CDM_VERSION 5.1.0");
    for (const char* file :
         {"schemas/v5.2/Schema_VSD.xsd", "schemas/v5.1/UC_AllgemeineVersicherungsdatenXML.xsd"}) {
        const Found real = SchemaVersionOf(QString::fromUtf8(test::EgkTestFile(QLatin1String(file))));
        EXPECT_EQ(real.result, -1) << file;
        EXPECT_EQ(real.version, "") << file;
    }
}

TEST(FindSchemaVersion, DeclarationsAndTheRunAfterAMatch) {
    const struct {
        QString body;
        int16_t result;
        const char* version;
    } cases[] = {
        {"<xs:attribute name=\"Version\" fixed=\"1.0\"/>", 0, "Version 1.0"},
        {"<xs:attribute name=\"CDM_VERSION\" type=\"xs:string\"/>", -1, ""},
        {"<xs:attribute name=\"Other\" fixed=\"1.0\"/>", -1, ""},
        // A later match in the same run replaces the earlier one; a container after it is not entered.
        {"<xs:attribute name=\"CDM_VERSION\" fixed=\"1\"/><xs:attribute name=\"CDM_VERSION\" fixed=\"2\"/>"
         "<xs:complexType><xs:attribute name=\"CDM_VERSION\" fixed=\"3\"/></xs:complexType>",
         0, "CDM_VERSION 2"},
        // A match in a nested run ends the search at the end of that run.
        {"<xs:complexType><xs:attribute name=\"CDM_VERSION\" fixed=\"1\"/></xs:complexType>"
         "<xs:attribute name=\"CDM_VERSION\" fixed=\"9\"/>",
         0, "CDM_VERSION 1"},
        // A declaration with element children is a container, not an examined node.
        {"<xs:attribute name=\"CDM_VERSION\" fixed=\"1\"><xs:annotation/></xs:attribute>", -1, ""},
    };
    for (const auto& c : cases) {
        const Found found = SchemaVersionOf(Schema(c.body));
        EXPECT_EQ(found.result, c.result) << c.body.toStdString();
        EXPECT_EQ(found.version, QLatin1String(c.version)) << c.body.toStdString();
    }
}

TEST(FindSchemaVersion, MoreThan33ContainersBeforeAMatchFail) {
    QString body = QStringLiteral("<xs:attribute name=\"CDM_VERSION\" fixed=\"5.1.0\"/>");
    for (int i = 0; i < 34; ++i)
        body = QStringLiteral("<xs:sequence>%1</xs:sequence>").arg(body);
    const Found found = SchemaVersionOf(Schema(body));
    EXPECT_EQ(found.result, -1);
    EXPECT_EQ(found.version, "");
}

TEST(FindDocumentVersion, OwnAttributeFirstThenDeclarationsBelow) {
    const Found vd = DocumentVersionOf(Latin9ToString(test::EgkTestFile("documents/v51.vd.xml")));
    EXPECT_EQ(vd.result, 0);
    EXPECT_EQ(vd.version, "CDM_VERSION 5.1.0");
    const Found schema =
        DocumentVersionOf(QString::fromUtf8(test::EgkTestFile("schemas/v5.2/Schema_VSD.xsd")));
    EXPECT_EQ(schema.version, "version 5.2.0");
    EXPECT_EQ(DocumentVersionOf(QStringLiteral("<r VERSION=\"1\" CDM_VERSION=\"2\"/>")).version,
              "CDM_VERSION 2");
    EXPECT_EQ(DocumentVersionOf(QStringLiteral("<r><a><attribute CDM_VERSION=\"5.1.0\"/></a></r>")).version,
              "CDM_VERSION 5.1.0");
    const Found none = DocumentVersionOf(QStringLiteral("<r version=\"\"><attribute VERSION=\"1\"/></r>"));
    EXPECT_EQ(none.result, -1);
    EXPECT_EQ(none.version, "");
}

} // namespace
} // namespace kc
