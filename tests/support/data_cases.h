// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStringList>
#include <ostream>
#include <vector>

namespace kc::test {

// One case of a block file: a line "=== Name rest", then the case's lines up
// to the next "===" line. Lines above the first case are the file's head.
struct DataCase {
    QString name; // a GoogleTest name: letters, digits and '_'
    QString head; // the rest of the "===" line
    QStringList lines;

    // The value of the line "key: value"; lines below it indented by two
    // blanks continue it, each adding itself and a line break. "\r" and "\n"
    // written out become line breaks. Empty when the key is missing.
    QString field(const QString& key) const;
};

// The cases of a block file (relative to tests/data, or absolute); a file
// without cases fails the test program when its cases are instantiated.
std::vector<DataCase> DataCases(const QString& path);

// The cases of every file of a folder, in name order.
std::vector<DataCase> DataCasesIn(const QString& folder);

// For INSTANTIATE_TEST_SUITE_P: the case's name is the test's name.
struct CaseName {
    template <class Info> std::string operator()(const Info& info) const {
        return info.param.name.toStdString();
    }
};

inline void PrintTo(const DataCase& c, std::ostream* out) {
    *out << c.name.toStdString();
}

} // namespace kc::test
