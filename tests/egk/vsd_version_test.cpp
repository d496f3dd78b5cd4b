// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
#include "egk/latin9.h"
#include "egk/vsd_version.h"
#include "egk_test_support.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

// The cases of versions.txt; its head says how a case is written.
TEST(FindVersion, OfSchemasAndDocuments) {
    for (const QString& line : test::DataLines(QStringLiteral("egk/versions.txt"))) {
        SCOPED_TRACE(line.toStdString());
        const QStringList c = line.split(QLatin1Char('|'));
        ASSERT_EQ(c.size(), 4);
        const bool schema = c[0] == "schema";
        QString text = c[1].startsWith(QLatin1Char('@')) ? Latin9ToString(test::EgkTestFile(c[1].mid(1)))
                       : schema ? QStringLiteral("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                                                 "version=\"1.0\">%1</xs:schema>")
                                      .arg(c[1])
                                : c[1];
        auto document = test::Parsed(text);
        QString version = QString::fromUtf8("unverändert");
        const int16_t result = schema ? FindSchemaVersion(document->documentElement(), version)
                                      : FindDocumentVersion(document->documentElement(), version);
        EXPECT_EQ(result, c[2].toShort());
        EXPECT_EQ(version, c[3]);
    }
}

} // namespace
} // namespace kc
