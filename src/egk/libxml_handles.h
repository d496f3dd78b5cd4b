// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <QByteArray>
#include <QString>
#include <memory>

namespace kc::xml {

// Owning handles for the library's objects; each is released by its own free function.
template <auto FreeFn> struct Deleter {
    template <typename T> void operator()(T* p) const {
        if (p)
            FreeFn(p);
    }
};

using DocPtr = std::unique_ptr<xmlDoc, Deleter<xmlFreeDoc>>;
using ParserCtxtPtr = std::unique_ptr<xmlParserCtxt, Deleter<xmlFreeParserCtxt>>;
using SchemaParserCtxtPtr = std::unique_ptr<xmlSchemaParserCtxt, Deleter<xmlSchemaFreeParserCtxt>>;
using SchemaPtr = std::unique_ptr<xmlSchema, Deleter<xmlSchemaFree>>;
using SchemaValidCtxtPtr = std::unique_ptr<xmlSchemaValidCtxt, Deleter<xmlSchemaFreeValidCtxt>>;
using BufferPtr = std::unique_ptr<xmlBuffer, Deleter<xmlBufferFree>>;

inline void FreeXmlChars(xmlChar* p) {
    xmlFree(p);
}
using CharsPtr = std::unique_ptr<xmlChar, Deleter<FreeXmlChars>>;

inline QString FromXml(const xmlChar* text) {
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}

inline const xmlChar* AsXml(const QByteArray& utf8) {
    return reinterpret_cast<const xmlChar*>(utf8.constData());
}

} // namespace kc::xml
