// SPDX-License-Identifier: Apache-2.0
#include "base/app_state.h"
#include "presenter/schema_menu.h"
#include "sim_harness.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

QString SchemaFile(const QString& name) {
    return test::SimHarness::TestDataDir() + QStringLiteral("/egk/schema_texts/") + name;
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
    EXPECT_FALSE(state.ValidationEnabled || state.ui.newSchemaItemEnabled);
    EXPECT_EQ(
        test::Shown(boxes.shown),
        QStringList({test::Box(QString::fromUtf8("Für eine lokale Validierung muss MSXML 4.0 SP2 (Microsoft "
                                                 "XML Basisdienste) \r\nauf Ihrem System installiert "
                                                 "sein! \r\n\r\n"),
                               MsgButtons::Ok, MsgIcon::Information),
                     test::Stop(QString::fromUtf8("Nicht genügend Speicher. 8007000E"))}));

    EXPECT_EQ(ProbeSchemaSupport().state, SchemaSupport::State::Available);
    EXPECT_TRUE(ClickValidationItem(state, boxes));
    EXPECT_TRUE(state.ValidationEnabled && state.ui.newSchemaItemEnabled);
    EXPECT_FALSE(ClickValidationItem(state, boxes, Missing)); // unchecking needs no probe
    EXPECT_FALSE(state.ValidationEnabled || state.ui.newSchemaItemEnabled);
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
    ReplaceSchemaText(state, 3, SchemaFile("new.xsd")); // past the last text: none replaced
    EXPECT_TRUE(state.SchemaTextGvd.isEmpty());
    ReplaceSchemaText(state, 0, SchemaFile("missing.xsd"));
    EXPECT_TRUE(state.SchemaTextVd.isEmpty());
    EXPECT_EQ(state.SchemaTextPd, "<?xml version=\"1.0\"?><xs:schema/>");
}

} // namespace
} // namespace kc
