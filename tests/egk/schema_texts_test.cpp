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

// The cases of schema_texts/cases.txt: a file there|the text taken from it.
TEST(SchemaTextFromFile, TakesTheTextFromTheFirstAngleBracket) {
    for (const QString& line : test::DataLines(QStringLiteral("egk/schema_texts/cases.txt"))) {
        EXPECT_EQ(SchemaTextFromFile(SchemaFile(line.section(QLatin1Char('|'), 0, 0))),
                  line.section(QLatin1Char('|'), 1))
            << line.toStdString();
    }
}

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
