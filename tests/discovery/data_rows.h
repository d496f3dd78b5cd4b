#pragma once

#include "sim_harness.h"

#include <QFile>
#include <QStringList>
#include <vector>

namespace kc::test {

// A table under tests/data: one row a line, cells split at `separator`, '#' lines are comments.
// "\n" in a cell stands for a line break.
inline std::vector<QStringList> DataRows(const QString& path, QChar separator = QLatin1Char(';')) {
    QFile file(SimHarness::TestDataDir() + QLatin1Char('/') + path);
    std::vector<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            rows.push_back(QString(line).replace(QLatin1String("\\n"), QLatin1String("\n")).split(separator));
    return rows;
}

} // namespace kc::test
