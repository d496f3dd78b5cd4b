// SPDX-License-Identifier: Apache-2.0
#include "base/app_state.h"
#include "data_rows.h"
#include "egk/schema_texts.h"
#include "egk_test_support.h"
#include "sim_harness.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

QString SchemaFile(const QString& name) {
    return test::EgkTestPath(QStringLiteral("schema_texts/") + name);
}

class SchemaFileCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/egk/schema_texts/cases.txt: the text starts at the first angle bracket.
TEST_P(SchemaFileCase, GivesTheTextFromTheFirstAngleBracket) {
    EXPECT_EQ(SchemaTextFromFile(SchemaFile(GetParam()[0])), GetParam()[1]);
}

INSTANTIATE_TEST_SUITE_P(SchemaTextFromFile, SchemaFileCase,
                         ::testing::ValuesIn(test::CaseRows("egk/schema_texts/cases.txt")),
                         test::FirstCellName());

TEST(LoadSchemaTexts, ReadsTheThreeFilesNextToTheProgramAndSwitchesValidationOff) {
    AppState state;
    state.ValidationEnabled = true;
    LoadSchemaTexts(state, test::SimHarness::BinDir());
    EXPECT_FALSE(state.ValidationEnabled);
    // The installed schema is the current one for all three documents.
    const QString installed =
        SchemaTextFromFile(test::EgkTestPath(QStringLiteral("schemas/v5.2/Schema_VSD.xsd")));
    EXPECT_TRUE(installed.startsWith("<?xml"));
    EXPECT_EQ(state.SchemaTextVd, installed);
    EXPECT_EQ(state.SchemaTextPd, installed);
    EXPECT_EQ(state.SchemaTextGvd, installed);

    LoadSchemaTexts(state, SchemaFile(QStringLiteral("kein Verzeichnis")));
    EXPECT_EQ(state.SchemaTextVd + state.SchemaTextPd + state.SchemaTextGvd, QString());
}

} // namespace
} // namespace kc
