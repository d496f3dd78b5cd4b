// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// The program's texts break lines with CR LF; a label or box shows a bare
// CR as a glyph, so it gets plain line feeds.
inline QString ShownLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace kc
