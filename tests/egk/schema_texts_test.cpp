#include "base/app_state.h"
#include "egk/schema_texts.h"
#include "egk_test_support.h"
#include "sim_harness.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc {
namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

TEST(SchemaTextFromFile, TakesTheTextFromTheFirstAngleBracket) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?><s/>", "<?xml version=\"1.0\"?><s/>"},
        {"Vorspann <s>Gr\xC3\xBC\xC3\x9F"
         "e</s>",
         QString::fromUtf8("<s>Grüße</s>")},
        {"<s>Gr\xFC\xDF"
         "e \xA4</s>",
         QString::fromUtf8("<s>Grüße €</s>")}, // not UTF-8: one character per byte
        {"kein Schema", QString()},
        {"", QString()},
    };
    int i = 0;
    for (const auto& c : cases) {
        const QString path = WriteFile(dir, QStringLiteral("s%1.xsd").arg(i++), c.bytes);
        EXPECT_EQ(SchemaTextFromFile(path), c.expected) << c.bytes.toStdString();
    }
    EXPECT_EQ(SchemaTextFromFile(dir.filePath(QStringLiteral("fehlt.xsd"))), QString());
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

    QTemporaryDir empty;
    LoadSchemaTexts(state, empty.path());
    EXPECT_TRUE(state.SchemaTextVd.isEmpty());
    EXPECT_TRUE(state.SchemaTextPd.isEmpty());
    EXPECT_TRUE(state.SchemaTextGvd.isEmpty());
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
    QTemporaryDir dir;
    const QString schema = WriteFile(dir, QStringLiteral("neu.xsd"), "<?xml version=\"1.0\"?><xs:schema/>");
    const QString noBracket = WriteFile(dir, QStringLiteral("leer.xsd"), "kein Schema");
    AppState state;
    test::ScriptedMessageBoxes boxes;
    state.SchemaTextVd = QStringLiteral("<vd/>");
    state.SchemaTextPd = QStringLiteral("<pd/>");
    state.SchemaTextGvd = QStringLiteral("<gvd/>");

    ReplaceSchemaText(state, 1, QString()); // dialog cancelled
    EXPECT_EQ(state.SchemaTextPd, "<pd/>");
    ReplaceSchemaText(state, 1, schema);
    EXPECT_EQ(state.SchemaTextPd, "<?xml version=\"1.0\"?><xs:schema/>");
    ClickValidationItem(state, boxes);
    ClickValidationItem(state, boxes);
    ClickValidationItem(state, boxes);
    EXPECT_EQ(state.SchemaTextPd, "<?xml version=\"1.0\"?><xs:schema/>");

    ReplaceSchemaText(state, 2, noBracket);
    EXPECT_TRUE(state.SchemaTextGvd.isEmpty());
    ReplaceSchemaText(state, 0, dir.filePath(QStringLiteral("fehlt.xsd")));
    EXPECT_TRUE(state.SchemaTextVd.isEmpty());
    EXPECT_EQ(state.SchemaTextPd, "<?xml version=\"1.0\"?><xs:schema/>");
    EXPECT_EQ(QFile(schema).size(), 33); // the chosen file stays as it is
}

} // namespace
} // namespace kc
