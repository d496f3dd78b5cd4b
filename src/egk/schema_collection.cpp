// SPDX-License-Identifier: Apache-2.0
#include "egk/schema_collection.h"

#include "egk/xml_parsing.h"

namespace kc {

struct SchemaCollection::Entry {
    QString uri;
    xml::DocPtr doc; // the compiled schema refers into it: declared first, freed last
    xml::SchemaPtr schema;
};

SchemaCollection::SchemaCollection() = default;
SchemaCollection::~SchemaCollection() = default;

std::optional<XmlError> SchemaCollection::add(const QString& namespaceUri, const XmlNode& schema) {
    xml::PrepareLibrary();
    if (!schema.isElement())
        return XmlError{kXmlGeneralFailure, QStringLiteral("Es wurde kein Schema-Dokument übergeben.")};
    const xml::CharsPtr target(
        xmlGetNoNsProp(schema.raw(), reinterpret_cast<const xmlChar*>("targetNamespace")));
    const QString targetNamespace = xml::FromXml(target.get());
    if (targetNamespace != namespaceUri)
        return XmlError{kXmlGeneralFailure,
                        QStringLiteral("Der Ziel-Namespace des Schemas \"%1\" stimmt nicht mit dem "
                                       "Namespace-URI \"%2\" überein.")
                            .arg(targetNamespace, namespaceUri)};

    auto entry = std::make_unique<Entry>();
    entry->uri = namespaceUri;
    entry->doc.reset(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
    xmlNodePtr copy = entry->doc ? xmlDocCopyNode(schema.raw(), entry->doc.get(), 1) : nullptr;
    if (!copy)
        return XmlError{kXmlGeneralFailure, QStringLiteral("Das Schema konnte nicht übernommen werden.")};
    xmlDocSetRootElement(entry->doc.get(), copy);

    xml::SchemaParserCtxtPtr parser(xmlSchemaNewDocParserCtxt(entry->doc.get()));
    if (!parser)
        return XmlError{kXmlGeneralFailure,
                        QStringLiteral("Der Schema-Parser konnte nicht angelegt werden.")};
    xml::ErrorCollector errors;
    xmlSchemaSetParserStructuredErrors(parser.get(), xml::CollectError, &errors);
    entry->schema.reset(xmlSchemaParse(parser.get()));
    if (!entry->schema)
        return XmlError{
            kXmlGeneralFailure,
            QStringLiteral("Das XSD-Schema ist nicht verwendbar: %1")
                .arg(errors.reason.isEmpty() ? QStringLiteral("unbekannter Fehler") : errors.reason)};

    for (auto& existing : entries_) {
        if (existing->uri == namespaceUri) {
            existing = std::move(entry);
            return std::nullopt;
        }
    }
    entries_.push_back(std::move(entry));
    return std::nullopt;
}

const SchemaCollection::Entry* SchemaCollection::find(const QString& namespaceUri) const {
    for (const auto& entry : entries_) {
        if (entry->uri == namespaceUri)
            return entry.get();
    }
    return nullptr;
}

XmlNode SchemaCollection::get(const QString& namespaceUri) const {
    const Entry* entry = find(namespaceUri);
    return XmlNode(entry ? xmlDocGetRootElement(entry->doc.get()) : nullptr);
}

xmlSchemaPtr SchemaCollection::compiled(const QString& namespaceUri) const {
    const Entry* entry = find(namespaceUri);
    return entry ? entry->schema.get() : nullptr;
}

} // namespace kc
