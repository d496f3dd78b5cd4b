// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStringList>
#include <string>
#include <vector>

namespace kc::test {

// The lines of a test data file (relative to tests/data, or absolute) without
// blank lines and '#' comments; a missing or empty file fails the test.
QStringList DataLines(const QString& path);

// Those lines split into cells at `separator`, with "\r" and "\n" written out turned into line breaks.
std::vector<QStringList> DataRows(const QString& path, QChar separator = QLatin1Char(';'));
// The cases of a file, one a line, their fields split at '|'.
inline std::vector<QStringList> CaseRows(const QString& path) {
    return DataRows(path, QLatin1Char('|'));
}

// For INSTANTIATE_TEST_SUITE_P over DataRows whose first cell names the case:
// what is not a letter, digit or '_' parts words, and the words after the first
// begin upper-case ("two-byte length" is twoByteLength).
std::string CaseNameOf(const QString& text);
struct FirstCellName {
    template <class Info> std::string operator()(const Info& info) const {
        return CaseNameOf(info.param.value(0));
    }
};

// A cell holding a list, its items split at ';'.
QStringList Items(const QString& cell);

} // namespace kc::test
