// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/result.h"
#include "egk/libxml_handles.h"

#include <QString>

namespace kc::xml {

// Prepares the library before its first use: no external resource (entity,
// DTD, schema import) is ever loaded, from the network or from disk.
void PrepareLibrary();

// Why a text is no usable document: the library's error code (never 0) and
// the reason shown.
struct ParseError {
    int code = 0;
    QString reason;
};

// Keeps the first error a parse, a schema compile or a validation reports;
// code 0 while there is none.
struct ErrorCollector : ParseError {
    void record(const xmlError* error);
};
void CollectError(void* collector, xmlErrorPtr error);

// Codes of the refusals that happen before or instead of the library's own checks.
constexpr int kDoctypeRefused = XML_ERR_USER_STOP;
constexpr int kEncodingUnsupported = XML_ERR_UNSUPPORTED_ENCODING;

// Parses a document held as characters. The encoding its declaration names
// must be one the library knows, but the characters are taken as they are.
// A document type declaration ends the parse: VSD documents and schemas never
// carry one, and refusing it shuts out entity expansion and external subsets.
[[nodiscard]] Result<DocPtr, ParseError> ParseXmlText(const QString& text);

// Removes text nodes that hold only blanks, tabs and line ends (outside
// xml:space="preserve"), so that a container's first child is an element in
// an indented document too.
void DropWhitespaceText(xmlDocPtr doc);

// The encoding named by the XML declaration at the start of the text, empty when none.
QString DeclaredEncoding(const QString& text);

} // namespace kc::xml
