// SPDX-License-Identifier: Apache-2.0
#include "data_cases.h"
#include "egk/latin9.h"
#include "egk/vsd_version.h"
#include "egk_test_support.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

class VersionCase : public ::testing::TestWithParam<test::DataCase> {};

// The cases of versions.txt; its head says how a case is written.
TEST_P(VersionCase, IsFoundInSchemaOrDocument) {
    const test::DataCase& c = GetParam();
    const bool schema = c.field("kind") == "schema";
    const QString given = c.field("text");
    QString text = given.startsWith(QLatin1Char('@')) ? Latin9ToString(test::EgkTestFile(given.mid(1)))
                   : schema ? QStringLiteral("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                                             "version=\"1.0\">%1</xs:schema>")
                                  .arg(given)
                            : given;
    auto document = test::Parsed(text);
    QString version = QString::fromUtf8("unverändert");
    const int16_t result = schema ? FindSchemaVersion(document->documentElement(), version)
                                  : FindDocumentVersion(document->documentElement(), version);
    EXPECT_EQ(result, c.field("result").toShort());
    EXPECT_EQ(version, c.field("version"));
}

INSTANTIATE_TEST_SUITE_P(FindVersion, VersionCase, ::testing::ValuesIn(test::DataCases("egk/versions.txt")),
                         test::CaseName());

} // namespace
} // namespace kc
