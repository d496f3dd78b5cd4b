#pragma once

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace kc::test {

// The cases of a file in tests/cards/cases, one a line: fields split at '|',
// line breaks written as \r and \n; blank lines and lines from '#' are skipped.
inline std::vector<QStringList> CaseRows(const char* name) {
    QFile file(QStringLiteral(KC_CARD_CASES_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    std::vector<QStringList> rows;
    for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        line.replace(QLatin1String("\\r"), QLatin1String("\r"))
            .replace(QLatin1String("\\n"), QLatin1String("\n"));
        rows.push_back(line.split(QLatin1Char('|')));
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

// A field holding a list, its items split at ';'.
inline QStringList Items(const QString& field) {
    return field.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

} // namespace kc::test
