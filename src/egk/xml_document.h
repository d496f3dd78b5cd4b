// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/result.h"
#include "egk/libxml_handles.h"
#include "egk/xml_node.h"
#include "egk/xml_parsing.h"

#include <QString>
#include <QStringList>

namespace kc {

class SchemaCollection;

// A document loaded synchronously from text. Whitespace-only text nodes are
// dropped while loading; a failed load leaves no document element behind.
class XmlDocument {
  public:
    XmlDocument() = default;
    virtual ~XmlDocument() = default;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    bool loadXml(const QString& text);
    XmlNode documentElement() const;
    // The whole document as text, lines ended by CR LF.
    QString xml() const;
    // 0 after a load without errors.
    int parseErrorCode() const { return errorCode_; }
    QString parseErrorReason() const { return errorReason_; }

  protected:
    // A further check of a well-formed document before it is accepted; a failure carries a code other than 0.
    virtual Result<void, xml::ParseError> checkParsed(xmlDocPtr) { return {}; }
    xmlDocPtr doc() const { return doc_.get(); }

  private:
    xml::DocPtr doc_;
    int errorCode_ = 0;
    QString errorReason_;
};

// A document that can name the namespaces it uses and validate against a
// schema collection while it loads.
class SchemaXmlDocument : public XmlDocument {
  public:
    void setValidateOnParse(bool on) { validateOnParse_ = on; }
    // Used by the next load with validate-on-parse on; the collection must outlive it.
    void setSchemas(const SchemaCollection* schemas) { schemas_ = schemas; }
    // Every namespace URI declared in the document, in document order, once each.
    QStringList namespaces() const;

  protected:
    Result<void, xml::ParseError> checkParsed(xmlDocPtr doc) override;

  private:
    bool validateOnParse_ = false;
    const SchemaCollection* schemas_ = nullptr;
};

} // namespace kc
