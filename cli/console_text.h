// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc::cli {

// The program's texts break lines with CR LF; the console with LF.
inline QString WithLineFeeds(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Fixed texts keep their padding in the window; on the console and in JSON
// it would only trail invisibly behind the text.
inline QString WithoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

} // namespace kc::cli
