// SPDX-License-Identifier: Apache-2.0
#include "egk/xml_document.h"

#include "egk/schema_collection.h"
#include "egk/xml_parsing.h"

#include <libxml/xmlsave.h>

#include <vector>

namespace kc {

bool XmlDocument::loadXml(const QString& text) {
    doc_.reset();
    errorCode_ = 0;
    errorReason_.clear();
    auto parsed = xml::ParseXmlText(text);
    if (!parsed.ok()) {
        errorCode_ = parsed.error().code;
        errorReason_ = parsed.error().reason;
        return false;
    }
    // Validation sees the document as written; the walk sees it without blank text.
    if (const auto checked = checkParsed(parsed.value().get()); !checked.ok()) {
        errorCode_ = checked.error().code;
        errorReason_ = checked.error().reason;
        return false;
    }
    xml::DropWhitespaceText(parsed.value().get());
    doc_ = std::move(parsed.value());
    return true;
}

XmlNode XmlDocument::documentElement() const {
    return XmlNode(doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr);
}

QString XmlDocument::xml() const {
    if (!doc_)
        return {};
    xml::BufferPtr buffer(xmlBufferCreate());
    if (!buffer)
        return {};
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer.get(), "UTF-8", XML_SAVE_FORMAT | XML_SAVE_NO_DECL);
    if (!save)
        return {};
    xmlSaveDoc(save, doc_.get());
    xmlSaveClose(save);
    // The text is characters, so the declaration names no encoding.
    QString text = QStringLiteral("<?xml version=\"%1\"%2?>\n")
                       .arg(doc_->version ? xml::FromXml(doc_->version) : QStringLiteral("1.0"),
                            doc_->standalone == 1 ? QStringLiteral(" standalone=\"yes\"") : QString());
    text += xml::FromXml(xmlBufferContent(buffer.get()));
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QStringList SchemaXmlDocument::namespaces() const {
    QStringList uris;
    std::vector<xmlNodePtr> pending;
    if (xmlNodePtr root = doc() ? xmlDocGetRootElement(doc()) : nullptr)
        pending.push_back(root);
    while (!pending.empty()) {
        xmlNodePtr node = pending.back();
        pending.pop_back();
        for (xmlNsPtr ns = node->nsDef; ns; ns = ns->next) {
            const QString uri = xml::FromXml(ns->href);
            if (!uri.isEmpty() && !uris.contains(uri))
                uris.append(uri);
        }
        // Children in reverse, so that the stack hands them out in document order.
        std::vector<xmlNodePtr> children;
        for (xmlNodePtr child = node->children; child; child = child->next) {
            if (child->type == XML_ELEMENT_NODE)
                children.push_back(child);
        }
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return uris;
}

Result<void, xml::ParseError> SchemaXmlDocument::checkParsed(xmlDocPtr doc) {
    using Checked = Result<void, xml::ParseError>;
    if (!validateOnParse_)
        return {};
    xmlNodePtr root = xmlDocGetRootElement(doc);
    const QString uri = root && root->ns ? xml::FromXml(root->ns->href) : QString();
    xmlSchemaPtr schema = schemas_ ? schemas_->compiled(uri) : nullptr;
    if (!schema)
        return Checked::failure(
            {XML_SCHEMAV_CVC_ELT_1,
             QStringLiteral("Für den Namespace \"%1\" ist kein Schema geladen.").arg(uri)});
    xml::SchemaValidCtxtPtr validator(xmlSchemaNewValidCtxt(schema));
    if (!validator)
        return Checked::failure(
            {XML_ERR_NO_MEMORY, QStringLiteral("Die Validierung konnte nicht gestartet werden.")});
    xml::ErrorCollector errors;
    xmlSchemaSetValidStructuredErrors(validator.get(), xml::CollectError, &errors);
    const int result = xmlSchemaValidateDoc(validator.get(), doc);
    if (result == 0)
        return {};
    return Checked::failure({errors.code != 0 ? errors.code : result,
                             errors.reason.isEmpty()
                                 ? QStringLiteral("Das Dokument entspricht nicht dem Schema.")
                                 : errors.reason});
}

} // namespace kc
