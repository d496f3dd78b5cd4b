// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"

#include "sim_harness.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace kc::test {

QStringList DataLines(const QString& path) {
    QFile file(QDir::isAbsolutePath(path) ? path : SimHarness::TestDataDir() + QLatin1Char('/') + path);
    QStringList lines;
    if (file.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
                lines.append(line);
    }
    EXPECT_FALSE(lines.isEmpty()) << "no cases in " << path.toStdString();
    return lines;
}

std::vector<QStringList> DataRows(const QString& path, QChar separator) {
    std::vector<QStringList> rows;
    for (QString line : DataLines(path)) {
        line.replace(QLatin1String("\\r"), QLatin1String("\r"))
            .replace(QLatin1String("\\n"), QLatin1String("\n"));
        rows.push_back(line.split(separator));
    }
    return rows;
}

std::string CaseNameOf(const QString& text) {
    QString name;
    for (const QString& word :
         text.split(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]+")), Qt::SkipEmptyParts))
        name += name.isEmpty() ? word : word.left(1).toUpper() + word.mid(1);
    return name.toStdString();
}

QStringList Items(const QString& cell) {
    return cell.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

} // namespace kc::test
