// SPDX-License-Identifier: Apache-2.0
#include "egk/xml_date.h"

namespace kc {
namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool PassesXmlDateTest(const QString& text) {
    return text.size() >= 6 && IsDigit(text[4]) && IsDigit(text[5]);
}

std::optional<QString> NormalizeXmlDate(const QString& text) {
    if (!PassesXmlDateTest(text))
        return std::nullopt;
    const QChar dot = QLatin1Char('.');
    if (text.mid(4, 2).toInt() >= 13)
        return text.mid(0, 2) + dot + text.mid(2, 2) + dot + text.mid(4, 4);
    return text.mid(6, 2) + dot + text.mid(4, 2) + dot + text.mid(0, 4);
}

} // namespace kc
