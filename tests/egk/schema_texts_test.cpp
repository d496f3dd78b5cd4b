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

SchemaSupport Missing() {
    return {SchemaSupport::State::NotInstalled, {}};
}
SchemaSupport Broken() {
    return {SchemaSupport::State::Failed, {0x8007000Eu, QStringLiteral("Nicht genügend Speicher. ")}};
}

TEST(ClickValidationItem, SwitchesOnWhenSchemaSupportIsThereElseExplainsWhyNot) {
    AppState state;
    test::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(ClickValidationItem(state, boxes, Missing));
    EXPECT_FALSE(ClickValidationItem(state, boxes, Broken));
    EXPECT_FALSE(state.ValidationEnabled);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(
        test::IsBox(boxes.shown[0],
                    QString::fromUtf8("Für eine lokale Validierung muss MSXML 4.0 SP2 (Microsoft XML "
                                      "Basisdienste) \r\nauf Ihrem System installiert sein! \r\n\r\n"),
                    kBoxTitle, MsgButtons::Ok, MsgIcon::Information));
    EXPECT_TRUE(test::IsErrorBox(boxes.shown[1], QString::fromUtf8("Nicht genügend Speicher. 8007000E")));

    EXPECT_EQ(ProbeSchemaSupport().state, SchemaSupport::State::Available);
    EXPECT_TRUE(ClickValidationItem(state, boxes));
    EXPECT_TRUE(state.ValidationEnabled);
    EXPECT_FALSE(ClickValidationItem(state, boxes, Missing)); // unchecking needs no probe
    EXPECT_FALSE(state.ValidationEnabled);
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST(ReplaceSchemaText, ReplacesOneTextForTheSessionOnly) {
    AppState state;
    test::ScriptedMessageBoxes boxes;
    state.SchemaTextPd = QStringLiteral("<pd/>");
    state.SchemaTextGvd = QStringLiteral("<gvd/>");
    state.SchemaTextVd = QStringLiteral("<vd/>");
    ReplaceSchemaText(state, 1, QString()); // dialog cancelled
    EXPECT_EQ(state.SchemaTextPd, "<pd/>");
    ReplaceSchemaText(state, 1, SchemaFile("new.xsd"));
    for (int i = 0; i < 3; ++i)
        ClickValidationItem(state, boxes);
    EXPECT_EQ(state.SchemaTextPd, "<?xml version=\"1.0\"?><xs:schema/>");
    ReplaceSchemaText(state, 2, SchemaFile("no_bracket.xsd"));
    EXPECT_TRUE(state.SchemaTextGvd.isEmpty());
    ReplaceSchemaText(state, 0, SchemaFile("missing.xsd"));
    EXPECT_TRUE(state.SchemaTextVd.isEmpty());
    EXPECT_EQ(state.SchemaTextPd, "<?xml version=\"1.0\"?><xs:schema/>");
}

} // namespace
} // namespace kc
