// SPDX-License-Identifier: Apache-2.0
#include "egk/xml_parsing.h"

#include <libxml/encoding.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <limits>
#include <mutex>
#include <vector>

namespace kc::xml {
namespace {

xmlParserInputPtr RefuseExternalResource(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

void Silent(void*, const char*, ...) {}

struct ParseState {
    bool doctypeSeen = false;
    ErrorCollector errors;
};

void StopAtDoctype(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(ctx);
    static_cast<ParseState*>(ctxt->_private)->doctypeSeen = true;
    xmlStopParser(ctxt);
}

void CollectParseError(void* ctx, xmlErrorPtr error) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(ctx);
    static_cast<ParseState*>(ctxt->_private)->errors.record(error);
}

bool IsXmlBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}

bool IsBlankText(const xmlChar* content) {
    if (!content)
        return true;
    for (const xmlChar* p = content; *p; ++p) {
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n')
            return false;
    }
    return true;
}

bool EncodingKnown(const QString& name) {
    const QByteArray latin = name.toLatin1();
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(latin.constData());
    if (!handler)
        return false;
    xmlCharEncCloseFunc(handler);
    return true;
}

// No network, no entity substitution, no DTD loading, no XInclude; CDATA
// becomes ordinary text; messages go to the collector, not to stderr.
constexpr int kParseOptions =
    XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_IGNORE_ENC | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

} // namespace

void PrepareLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalResource);
    });
    // The generic handler is kept per thread by the library.
    xmlSetGenericErrorFunc(nullptr, Silent);
}

void ErrorCollector::record(const xmlError* error) {
    if (!error || code != 0 || error->level < XML_ERR_ERROR)
        return;
    code = error->code != 0 ? error->code : 1;
    reason = QString::fromUtf8(error->message ? error->message : "").trimmed();
    if (error->line > 0)
        reason += QStringLiteral(" (Zeile %1)").arg(error->line);
}

void CollectError(void* collector, xmlErrorPtr error) {
    static_cast<ErrorCollector*>(collector)->record(error);
}

QString DeclaredEncoding(const QString& text) {
    const qsizetype start = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    if (text.mid(start, 5) != QLatin1String("<?xml") || text.size() <= start + 5 ||
        !IsXmlBlank(text[start + 5]))
        return {};
    const qsizetype end = text.indexOf(QLatin1String("?>"), start);
    const QString declaration = text.mid(start, end < 0 ? 0 : end - start);
    // encoding, optional blanks, "=", optional blanks, then a quoted name.
    for (qsizetype at = declaration.indexOf(QLatin1String("encoding")); at > 0;
         at = declaration.indexOf(QLatin1String("encoding"), at + 1)) {
        if (!IsXmlBlank(declaration[at - 1]))
            continue;
        qsizetype pos = at + 8;
        while (pos < declaration.size() && IsXmlBlank(declaration[pos]))
            ++pos;
        if (pos >= declaration.size() || declaration[pos] != QLatin1Char('='))
            continue;
        ++pos;
        while (pos < declaration.size() && IsXmlBlank(declaration[pos]))
            ++pos;
        if (pos >= declaration.size() ||
            (declaration[pos] != QLatin1Char('"') && declaration[pos] != QLatin1Char('\'')))
            continue;
        const qsizetype close = declaration.indexOf(declaration[pos], pos + 1);
        if (close > pos)
            return declaration.mid(pos + 1, close - pos - 1);
    }
    return {};
}

Result<DocPtr, ParseError> ParseXmlText(const QString& text) {
    using Outcome = Result<DocPtr, ParseError>;
    PrepareLibrary();
    const QString encoding = DeclaredEncoding(text);
    if (!encoding.isEmpty() && !EncodingKnown(encoding))
        return Outcome::failure(
            {kEncodingUnsupported,
             QStringLiteral("Die angegebene Zeichenkodierung \"%1\" wird nicht unterstützt.").arg(encoding)});
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() > std::numeric_limits<int>::max())
        return Outcome::failure({XML_ERR_NO_MEMORY, QStringLiteral("Der XML-Text ist zu groß.")});
    ParserCtxtPtr ctxt(xmlNewParserCtxt());
    if (!ctxt)
        return Outcome::failure(
            {XML_ERR_NO_MEMORY, QStringLiteral("Der XML-Parser konnte nicht angelegt werden.")});
    ParseState state;
    ctxt->_private = &state;
    ctxt->sax->internalSubset = StopAtDoctype;
    ctxt->sax->serror = CollectParseError;
    DocPtr doc(
        xmlCtxtReadMemory(ctxt.get(), utf8.constData(), int(utf8.size()), nullptr, "UTF-8", kParseOptions));
    if (state.doctypeSeen)
        return Outcome::failure(
            {kDoctypeRefused,
             QStringLiteral("Dokumente mit Dokumenttyp-Deklaration (DOCTYPE) werden nicht verarbeitet.")});
    if (!doc || !xmlDocGetRootElement(doc.get()))
        return Outcome::failure({state.errors.code != 0 ? state.errors.code
                                 : ctxt->errNo != 0     ? ctxt->errNo
                                                        : XML_ERR_DOCUMENT_EMPTY,
                                 state.errors.reason.isEmpty()
                                     ? QStringLiteral("Das XML-Dokument ist leer oder unvollständig.")
                                     : state.errors.reason});
    return doc;
}

void DropWhitespaceText(xmlDocPtr doc) {
    if (!doc)
        return;
    std::vector<xmlNodePtr> pending;
    for (xmlNodePtr child = doc->children; child; child = child->next)
        pending.push_back(child);
    while (!pending.empty()) {
        xmlNodePtr node = pending.back();
        pending.pop_back();
        if (node->type != XML_ELEMENT_NODE)
            continue;
        const bool preserve = xmlNodeGetSpacePreserve(node) == 1;
        xmlNodePtr child = node->children;
        while (child) {
            xmlNodePtr next = child->next;
            if (child->type == XML_TEXT_NODE && !preserve && IsBlankText(child->content)) {
                xmlUnlinkNode(child);
                xmlFreeNode(child);
            } else if (child->type == XML_ELEMENT_NODE) {
                pending.push_back(child);
            }
            child = next;
        }
    }
}

} // namespace kc::xml
