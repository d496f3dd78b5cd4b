// SPDX-License-Identifier: Apache-2.0
#include "data_cases.h"

#include "sim_harness.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace kc::test {

QString DataCase::field(const QString& key) const {
    const QString start = key + QLatin1Char(':');
    const auto at =
        std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(start); });
    if (at == lines.end())
        return {};
    // Only the blank after the colon goes: texts may end in blanks.
    QString value = at->mid(start.size());
    if (value.startsWith(QLatin1Char(' ')))
        value.remove(0, 1);
    for (auto more = at + 1; more != lines.end() && more->startsWith(QLatin1String("  ")); ++more)
        value += more->mid(2) + QLatin1Char('\n');
    return value.replace(QLatin1String("\\r"), QLatin1String("\r"))
        .replace(QLatin1String("\\n"), QLatin1String("\n"));
}

std::vector<DataCase> DataCases(const QString& path) {
    QFile file(QDir::isAbsolutePath(path) ? path : SimHarness::TestDataDir() + QLatin1Char('/') + path);
    std::vector<DataCase> cases;
    if (!file.open(QIODevice::ReadOnly))
        return cases;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("=== "))) {
            const QString title = line.mid(4).trimmed();
            cases.push_back({title.section(QLatin1Char(' '), 0, 0), title.section(QLatin1Char(' '), 1), {}});
        } else if (!cases.empty()) {
            cases.back().lines.append(line);
        }
    }
    return cases;
}

std::vector<DataCase> DataCasesIn(const QString& folder) {
    const QDir dir(QDir::isAbsolutePath(folder) ? folder
                                                : SimHarness::TestDataDir() + QLatin1Char('/') + folder);
    std::vector<DataCase> all;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        std::vector<DataCase> cases = DataCases(dir.filePath(name));
        all.insert(all.end(), cases.begin(), cases.end());
    }
    return all;
}

} // namespace kc::test
