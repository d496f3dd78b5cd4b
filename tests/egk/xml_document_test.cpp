#include "egk/schema_collection.h"
#include "egk/xml_document.h"
#include "egk/xml_parsing.h"
#include "egk_test_support.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kc {
namespace {

using test::EgkTestFile;

const QString kVsd52 = QStringLiteral("http://ws.gematik.de/fa/vsdm/vsd/v5.2");
const QString kXsd = QStringLiteral("http://www.w3.org/2001/XMLSchema");

TEST(XmlDocument, IndentedCrLfDocumentKeepsOnlyElementsBetweenElements) {
    const QString text =
        QStringLiteral("<?xml version=\"1.0\"?>\r\n<a xmlns=\"urn:x\">\r\n  <b>\r\n    <c>eins</c>\r\n"
                       "  </b>\r\n  <d>  </d>\r\n</a>\r\n");
    auto document = test::Parsed(text);
    const XmlNode root = document->documentElement();
    EXPECT_EQ(root.localName(), "a");
    EXPECT_EQ(root.namespaceUri(), "urn:x");
    EXPECT_EQ(root.childCount(), 2);
    EXPECT_TRUE(root.firstChild().isElement());
    EXPECT_EQ(root.firstChild().firstChild().localName(), "c");
    EXPECT_EQ(root.child(1).localName(), "d");
    EXPECT_TRUE(root.child(1).firstChild().isNull()); // a blank-only content is dropped too
    EXPECT_TRUE(root.child(2).isNull());
}

TEST(XmlDocument, NodesGiveLocalNamesTextsAndAttributes) {
    auto document = test::Parsed(QStringLiteral(
        "<v:r xmlns:v=\"urn:v\" CDM_VERSION=\"5.2.0\" v:x=\"1\"><v:a>A<!--note--><v:b>B</v:b></v:a></v:r>"));
    const XmlNode root = document->documentElement();
    EXPECT_EQ(root.localName(), "r");
    EXPECT_EQ(root.namespaceUri(), "urn:v");
    ASSERT_EQ(root.attributeCount(), 2); // the namespace declaration is not an attribute
    EXPECT_EQ(root.attribute(0).localName, "CDM_VERSION");
    EXPECT_EQ(root.attribute(0).value, "5.2.0");
    EXPECT_EQ(root.attribute(1).localName, "x");
    const XmlNode a = root.firstChild();
    EXPECT_EQ(a.text(), "AB");
    EXPECT_EQ(a.childCount(), 3);
    EXPECT_FALSE(a.firstChild().isElement());
    EXPECT_EQ(a.firstChild().localName(), "");
    EXPECT_EQ(a.child(1).localName(), ""); // the comment
    EXPECT_EQ(a.child(1).text(), "note");
    EXPECT_EQ(a.firstChild().attributeCount(), 0);
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
    EXPECT_NE(document.parseErrorCode(), 0);
    EXPECT_FALSE(document.parseErrorReason().isEmpty());
    EXPECT_TRUE(document.xml().isEmpty());
    EXPECT_FALSE(document.loadXml(QString()));
    EXPECT_NE(document.parseErrorCode(), 0);
}

TEST(XmlDocument, DeclaredEncodingMustBeKnownButCharactersAreTakenAsTheyAre) {
    const struct {
        const char* text;
        const char* encoding;
    } cases[] = {
        {"<?xml version=\"1.0\" encoding='ISO-8859-15'?><a/>", "ISO-8859-15"},
        {"<?xml version=\"1.0\"\r\n encoding = \"latin1\" ?><a/>", "latin1"},
        {"<?xml version=\"1.0\" encoding=\"a'b\"?><a/>", "a'b"},
        {"<?xml version=\"1.0\" encoding=x encoding=\"y\"?>", "y"},
        {"<?xml version=\"1.0\" encoding=\"\"?><a/>", ""},
        {"<?xml version=\"1.0\" encoding=\"x?><a/>", ""},
        {"<?xml version=\"1.0\"?><a encoding=\"x\"/>", ""},
        {"<?xml version=\"1.0\" myencoding=\"x\"?><a/>", ""},
        {"<?xmlencoding=\"x\"?><a/>", ""},
        {"<?xml", ""},
        {"<a/>", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xml::DeclaredEncoding(QString::fromUtf8(c.text)), c.encoding) << c.text;
    // After a byte-order mark.
    EXPECT_EQ(
        xml::DeclaredEncoding(QChar(0xFEFF) + QStringLiteral("<?xml version=\"1.0\" encoding='UTF-8'?>")),
        "UTF-8");

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

TEST(SchemaXmlDocument, NamesTheNamespacesItDeclaresInDocumentOrder) {
    SchemaXmlDocument schema;
    ASSERT_TRUE(schema.loadXml(QString::fromUtf8(EgkTestFile("schemas/v5.2/Schema_VSD.xsd"))));
    EXPECT_EQ(schema.namespaces(), QStringList({kXsd, kVsd52}));

    SchemaXmlDocument document;
    ASSERT_TRUE(
        document.loadXml(QStringLiteral("<a xmlns=\"urn:1\"><b xmlns:p=\"urn:2\" xmlns:q=\"urn:1\"/></a>")));
    EXPECT_EQ(document.namespaces(), QStringList({"urn:1", "urn:2"}));
}

// Hostile documents: nothing is fetched, nothing is expanded.
// A listening socket on the loopback interface that records whether anyone connected.
class Listener {
  public:
    Listener() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd_, 4);
        socklen_t length = sizeof address;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        ::fcntl(fd_, F_SETFL, O_NONBLOCK);
    }
    ~Listener() { ::close(fd_); }
    QString url(const char* file) const {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(port_).arg(file);
    }
    bool contacted() const {
        const int client = ::accept(fd_, nullptr, nullptr);
        if (client < 0)
            return false;
        ::close(client);
        return true;
    }

  private:
    int fd_ = -1;
    int port_ = 0;
};

TEST(XmlDocument, HostileDocumentsAreRefusedWithoutReachingOut) {
    Listener listener;
    QString laughs = QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">");
    for (int i = 1; i < 10; ++i)
        laughs += QStringLiteral("<!ENTITY lol%1 \"%2\">")
                      .arg(i)
                      .arg(QStringLiteral("&lol%1;").arg(i - 1).repeated(10));
    laughs.replace(QStringLiteral("&lol0;"), QStringLiteral("&lol;"));
    laughs += QStringLiteral("]><lolz>&lol9;</lolz>");

    const QString cases[] = {
        QStringLiteral("<!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><r>&x;</r>"),
        QStringLiteral("<!DOCTYPE r [<!ENTITY x SYSTEM \"%1\">]><r>&x;</r>").arg(listener.url("entity")),
        QStringLiteral("<!DOCTYPE r SYSTEM \"%1\"><r/>").arg(listener.url("evil.dtd")),
        QStringLiteral("<!DOCTYPE r [<!ENTITY % p SYSTEM \"%1\"> %p;]><r/>").arg(listener.url("param.dtd")),
        QStringLiteral("<!DOCTYPE r><r/>"),
        laughs,
    };
    for (const QString& text : cases) {
        SchemaXmlDocument document;
        EXPECT_FALSE(document.loadXml(text)) << text.left(60).toStdString();
        EXPECT_EQ(document.parseErrorCode(), xml::kDoctypeRefused);
        EXPECT_TRUE(document.documentElement().isNull());
    }
    EXPECT_FALSE(listener.contacted());
}

TEST(XmlDocument, UndeclaredEntitiesAndXIncludeStayInert) {
    XmlDocument document;
    EXPECT_FALSE(document.loadXml(QStringLiteral("<r>&x;</r>")));
    auto included =
        test::Parsed(QStringLiteral("<r xmlns:xi=\"http://www.w3.org/2001/XInclude\">"
                                    "<xi:include href=\"file:///etc/hostname\" parse=\"text\"/></r>"));
    EXPECT_EQ(included->documentElement().text(), "");
    EXPECT_EQ(included->documentElement().firstChild().localName(), "include");
}

TEST(SchemaCollection, SchemaImportsAreNotFetched) {
    Listener listener;
    SchemaXmlDocument schema;
    ASSERT_TRUE(schema.loadXml(QStringLiteral("<xs:schema xmlns:xs=\"%1\" targetNamespace=\"urn:t\">"
                                              "<xs:import namespace=\"urn:o\" schemaLocation=\"%2\"/>"
                                              "<xs:include schemaLocation=\"%3\"/></xs:schema>")
                                   .arg(kXsd, listener.url("import.xsd"), listener.url("include.xsd"))));
    SchemaCollection schemas;
    schemas.add(QStringLiteral("urn:t"), schema.documentElement());
    EXPECT_FALSE(listener.contacted());
}

const QString kSmallSchema = QStringLiteral(
    "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" targetNamespace=\"urn:t\" "
    "elementFormDefault=\"qualified\"><xs:element name=\"a\"><xs:complexType><xs:sequence>"
    "<xs:element name=\"b\" type=\"xs:int\"/></xs:sequence></xs:complexType></xs:element></xs:schema>");

TEST(SchemaCollection, AddsUnderTheTargetNamespaceOnly) {
    SchemaXmlDocument schema;
    ASSERT_TRUE(schema.loadXml(kSmallSchema));
    SchemaCollection schemas;
    EXPECT_EQ(schemas.length(), 0);

    const std::optional<XmlError> wrongKey =
        schemas.add(QStringLiteral("urn:other"), schema.documentElement());
    ASSERT_TRUE(wrongKey.has_value());
    EXPECT_EQ(wrongKey->code, kXmlGeneralFailure);
    EXPECT_EQ(XmlErrorBoxText(*wrongKey),
              QString::fromUtf8("0x80004005\r\nDer Ziel-Namespace des Schemas \"urn:t\" stimmt nicht mit dem "
                                "Namespace-URI \"urn:other\" überein."));
    EXPECT_EQ(schemas.length(), 0);
    EXPECT_TRUE(schemas.get(QStringLiteral("urn:other")).isNull());

    EXPECT_FALSE(schemas.add(QStringLiteral("urn:t"), schema.documentElement()).has_value());
    EXPECT_EQ(schemas.length(), 1);
    EXPECT_EQ(schemas.get(QStringLiteral("urn:t")).localName(), "schema");
    EXPECT_EQ(schemas.get(QStringLiteral("urn:t")).namespaceUri(), kXsd);
}

TEST(SchemaCollection, UnusableSchemaIsAnError) {
    SchemaXmlDocument schema;
    ASSERT_TRUE(schema.loadXml(QStringLiteral("<xs:schema xmlns:xs=\"%1\" targetNamespace=\"urn:t\">"
                                              "<xs:element name=\"a\" type=\"xs:nosuchtype\"/></xs:schema>")
                                   .arg(kXsd)));
    SchemaCollection schemas;
    const std::optional<XmlError> error = schemas.add(QStringLiteral("urn:t"), schema.documentElement());
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->description.startsWith(QString::fromUtf8("Das XSD-Schema ist nicht verwendbar: ")));
    EXPECT_EQ(schemas.length(), 0);
}

TEST(SchemaXmlDocument, ValidatesOnLoadAgainstTheCollection) {
    SchemaXmlDocument schema;
    ASSERT_TRUE(schema.loadXml(kSmallSchema));
    SchemaCollection schemas;
    ASSERT_FALSE(schemas.add(QStringLiteral("urn:t"), schema.documentElement()).has_value());

    SchemaXmlDocument document;
    document.setValidateOnParse(true);
    document.setSchemas(&schemas);
    EXPECT_TRUE(document.loadXml(QStringLiteral("<a xmlns=\"urn:t\">\n  <b>42</b>\n</a>")));
    EXPECT_EQ(document.parseErrorCode(), 0);
    EXPECT_EQ(document.documentElement().firstChild().text(), "42");

    EXPECT_FALSE(document.loadXml(QStringLiteral("<a xmlns=\"urn:t\"><b>zweiundvierzig</b></a>")));
    EXPECT_NE(document.parseErrorCode(), 0);
    EXPECT_TRUE(document.documentElement().isNull());

    EXPECT_FALSE(document.loadXml(QStringLiteral("<a xmlns=\"urn:elsewhere\"><b>1</b></a>")));
    EXPECT_NE(document.parseErrorCode(), 0);

    document.setValidateOnParse(false);
    EXPECT_TRUE(document.loadXml(QStringLiteral("<a xmlns=\"urn:t\"><b>zweiundvierzig</b></a>")));
}

} // namespace
} // namespace kc
