// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
#include "egk/schema_collection.h"
#include "egk/xml_document.h"
#include "egk/xml_parsing.h"
#include "egk_test_support.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <libxml/xmlerror.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kc {
namespace {

const QString kXsd = QStringLiteral("http://www.w3.org/2001/XMLSchema");

TEST(XmlDocument, IndentedCrLfDocumentKeepsOnlyElementsBetweenElements) {
    const QString text =
        QStringLiteral("<?xml version=\"1.0\"?>\r\n<a xmlns=\"urn:x\">\r\n  <b>\r\n    <c>eins</c>\r\n"
                       "  </b>\r\n  <d>  </d>\r\n  <e xml:space=\"preserve\"> </e>\r\n</a>\r\n");
    auto document = test::Parsed(text);
    const XmlNode root = document->documentElement();
    EXPECT_EQ(root.childCount(), 3);
    EXPECT_EQ(root.child(0).firstChild().localName(), "c");
    EXPECT_EQ(root.child(1).localName(), "d");
    EXPECT_TRUE(root.child(1).firstChild().isNull()); // a blank-only content is dropped too
    EXPECT_EQ(root.child(2).text(), " ");             // unless it is to be preserved
    EXPECT_TRUE(root.child(3).isNull());
}

TEST(XmlDocument, NodesGiveLocalNamesTextsAndAttributes) {
    auto document = test::Parsed(QStringLiteral(
        "<v:r xmlns:v=\"urn:v\" CDM_VERSION=\"5.2.0\" v:x=\"1\"><v:a>A<!--note--><v:b>B</v:b></v:a></v:r>"));
    const XmlNode root = document->documentElement();
    EXPECT_EQ(root.localName(), "r");
    EXPECT_EQ(root.namespaceUri(), "urn:v");
    const QList<XmlAttribute> attributes = root.attributes();
    ASSERT_EQ(attributes.size(), 2); // the namespace declaration is not an attribute
    EXPECT_EQ(attributes[0].localName, "CDM_VERSION");
    EXPECT_EQ(attributes[0].value, "5.2.0");
    EXPECT_EQ(attributes[1].localName + attributes[1].value, "x1");
    EXPECT_TRUE(XmlNode().attributes().isEmpty());
    const XmlNode a = root.firstChild();
    EXPECT_EQ(a.text(), "AB");
    EXPECT_EQ(a.childCount(), 3);
    EXPECT_FALSE(a.firstChild().isElement());
    EXPECT_EQ(a.firstChild().localName(), "");
    EXPECT_EQ(a.child(1).localName(), ""); // the comment
    EXPECT_EQ(a.child(1).text(), "note");
    EXPECT_TRUE(a.firstChild().attributes().isEmpty());
}

TEST(XmlDocument, SerialisesWithCrLfAndWithoutEncoding) {
    auto document = test::Parsed(QString::fromUtf8(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-15\" standalone=\"yes\"?>\n<a><b>Müller</b></a>"));
    EXPECT_EQ(document->xml(), QString::fromUtf8("<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<a>\r\n  "
                                                 "<b>Müller</b>\r\n</a>\r\n"));
}

TEST(XmlDocument, FailedLoadLeavesNoDocumentElement) {
    XmlDocument document;
    ASSERT_TRUE(document.loadXml(QStringLiteral("<a/>")));
    EXPECT_FALSE(document.loadXml(QStringLiteral("<a><b></a>")));
    EXPECT_TRUE(document.documentElement().isNull());
    // The first error names the fault; the parser's last one is only the premature end after it.
    EXPECT_EQ(document.parseErrorCode(), XML_ERR_TAG_NAME_MISMATCH);
    EXPECT_FALSE(document.parseErrorReason().isEmpty());
    EXPECT_TRUE(document.xml().isEmpty());
    EXPECT_FALSE(document.loadXml(QString()));
    EXPECT_NE(document.parseErrorCode(), 0);
}

class DeclaredEncodingCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/egk/encodings.txt: the encoding a declaration names.
TEST_P(DeclaredEncodingCase, IsTakenFromTheDeclarationOnly) {
    EXPECT_EQ(xml::DeclaredEncoding(GetParam()[1]), GetParam()[2]);
}

INSTANTIATE_TEST_SUITE_P(XmlDocument, DeclaredEncodingCase,
                         ::testing::ValuesIn(test::CaseRows("egk/encodings.txt")), test::FirstCellName());

TEST(XmlDocument, DeclaredEncodingMustBeKnownButCharactersAreTakenAsTheyAre) {
    XmlDocument document;
    EXPECT_FALSE(document.loadXml(QStringLiteral("<?xml version=\"1.0\" encoding=\"X-KARTO-9\"?><a/>")));
    EXPECT_EQ(document.parseErrorCode(), xml::kEncodingUnsupported);
    EXPECT_EQ(document.parseErrorReason(),
              QString::fromUtf8("Die angegebene Zeichenkodierung \"X-KARTO-9\" wird "
                                "nicht unterstützt."));
    ASSERT_TRUE(document.loadXml(
        QString::fromUtf8("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>Stra\u00DFe €</a>")));
    EXPECT_EQ(document.documentElement().text(), QString::fromUtf8("Straße €"));
}

TEST(SchemaXmlDocument, NamesTheNamespacesItDeclaresInDocumentOrderOnce) {
    SchemaXmlDocument document;
    ASSERT_TRUE(
        document.loadXml(QStringLiteral("<a xmlns=\"urn:1\"><b xmlns:p=\"urn:2\" xmlns:q=\"urn:1\"/></a>")));
    EXPECT_EQ(document.namespaces(), QStringList({"urn:1", "urn:2"}));
}

// A listening socket on the loopback interface that tells whether anyone connected.
struct Listener {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    Listener() {
        socklen_t length = sizeof address;
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(fd, 4);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    }
    ~Listener() { ::close(fd); }
    QString url(const char* file) const {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(ntohs(address.sin_port)).arg(file);
    }
    bool contacted() const {
        const int client = ::accept(fd, nullptr, nullptr);
        if (client >= 0)
            ::close(client);
        return client >= 0;
    }
};

class HostileDocument : public ::testing::TestWithParam<QStringList> {};

// One document of tests/data/egk/hostile_documents.txt: refused, and nothing is fetched or expanded.
TEST_P(HostileDocument, IsRefusedWithoutReachingOut) {
    Listener listener;
    SchemaXmlDocument document;
    EXPECT_FALSE(document.loadXml(QString(GetParam()[1]).replace(QLatin1String("URL/"), listener.url(""))));
    EXPECT_EQ(document.parseErrorCode(), xml::kDoctypeRefused);
    EXPECT_EQ(document.parseErrorReason(),
              "Dokumente mit Dokumenttyp-Deklaration (DOCTYPE) werden nicht verarbeitet.");
    EXPECT_TRUE(document.documentElement().isNull());
    EXPECT_FALSE(listener.contacted());
}

INSTANTIATE_TEST_SUITE_P(XmlDocument, HostileDocument,
                         ::testing::ValuesIn(test::CaseRows("egk/hostile_documents.txt")),
                         test::FirstCellName());

TEST(SchemaCollection, ImportsOfASchemaAreNotFetched) {
    Listener listener;
    SchemaXmlDocument schema;
    ASSERT_TRUE(schema.loadXml(QStringLiteral("<xs:schema xmlns:xs=\"%1\" targetNamespace=\"urn:t\">"
                                              "<xs:import namespace=\"urn:o\" schemaLocation=\"%2\"/>"
                                              "<xs:include schemaLocation=\"%3\"/></xs:schema>")
                                   .arg(kXsd, listener.url("import.xsd"), listener.url("include.xsd"))));
    // Whether the schema compiles without its imports does not matter here, only the listener.
    static_cast<void>(SchemaCollection().add(QStringLiteral("urn:t"), schema.documentElement()));
    EXPECT_FALSE(listener.contacted());
}

const QString kSmallSchema = QStringLiteral(
    "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" targetNamespace=\"urn:t\" "
    "elementFormDefault=\"qualified\"><xs:element name=\"a\"><xs:complexType><xs:sequence>"
    "<xs:element name=\"b\" type=\"xs:int\"/></xs:sequence></xs:complexType></xs:element></xs:schema>");

TEST(SchemaCollection, AddsUsableSchemasUnderTheirTargetNamespaceOnly) {
    SchemaXmlDocument schema, unusable;
    ASSERT_TRUE(schema.loadXml(kSmallSchema));
    ASSERT_TRUE(
        unusable.loadXml(QString(kSmallSchema).replace(QLatin1String("xs:int"), QLatin1String("xs:nix"))));
    SchemaCollection schemas;
    const std::optional<XmlError> wrongKey =
        schemas.add(QStringLiteral("urn:other"), schema.documentElement());
    ASSERT_TRUE(wrongKey.has_value());
    EXPECT_EQ(wrongKey->code, kXmlGeneralFailure);
    const std::optional<XmlError> error = schemas.add(QStringLiteral("urn:t"), unusable.documentElement());
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->description.startsWith(QString::fromUtf8("Das XSD-Schema ist nicht verwendbar: ")));
    EXPECT_EQ(schemas.length(), 0);
    EXPECT_TRUE(schemas.get(QStringLiteral("urn:t")).isNull());

    EXPECT_FALSE(schemas.add(QStringLiteral("urn:t"), schema.documentElement()).has_value());
    EXPECT_FALSE(schemas.add(QStringLiteral("urn:t"), schema.documentElement()).has_value());
    EXPECT_EQ(schemas.length(), 1);
    EXPECT_EQ(schemas.get(QStringLiteral("urn:t")).localName(), "schema");
    EXPECT_TRUE(schemas.get(QStringLiteral("urn:other")).isNull());

    SchemaXmlDocument document;
    document.setValidateOnParse(true);
    document.setSchemas(&schemas);
    EXPECT_TRUE(document.loadXml(QStringLiteral("<a xmlns=\"urn:t\">\n  <b>42</b>\n</a>")));
    EXPECT_EQ(document.documentElement().firstChild().text(), "42");
    for (const char* invalid :
         {"<a xmlns=\"urn:t\"><b>zweiundvierzig</b></a>", "<a xmlns=\"urn:elsewhere\"><b>1</b></a>"}) {
        EXPECT_FALSE(document.loadXml(QLatin1String(invalid))) << invalid;
        EXPECT_NE(document.parseErrorCode(), 0);
        EXPECT_TRUE(document.documentElement().isNull());
    }
    document.setValidateOnParse(false);
    EXPECT_TRUE(document.loadXml(QStringLiteral("<a xmlns=\"urn:t\"><b>zweiundvierzig</b></a>")));
}

} // namespace
} // namespace kc
