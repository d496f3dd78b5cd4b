// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
#include "window_harness.h"

#include <QAccessible>
#include <map>

namespace kc::test {
namespace {

// Every object the tree reaches from this node, by object name, as a screen
// reader walks it: down through the children.
void Walk(QAccessibleInterface* node, std::map<QString, QAccessibleInterface*>& reached) {
    QObject* object = node->object();
    if (object && QAccessible::queryAccessibleInterface(object) == node)
        reached[object->objectName()] = node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* child = node->child(i))
            Walk(child, reached);
}

std::map<QString, QAccessibleInterface*> WalkTree(QWidget& window) {
    std::map<QString, QAccessibleInterface*> reached;
    Walk(QAccessible::queryAccessibleInterface(&window), reached);
    return reached;
}

QString RoleName(QAccessible::Role role) {
    return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(role));
}

QStringList Related(QAccessibleInterface* node, QAccessible::Relation relation) {
    QStringList names;
    for (const auto& [other, found] : node->relations(relation))
        names.append(other->object()->objectName());
    return names;
}

QString WordsOf(QAccessibleInterface* node) {
    QAccessibleTextInterface* words = node->textInterface();
    return words ? words->text(0, words->characterCount()) : QStringLiteral("(no text interface)");
}

// A read-only value has no caret to move and nothing selected: a screen reader reads it from its start.
QString CaretOf(QAccessibleTextInterface* words) {
    int start = -1, end = -1;
    words->selection(0, &start, &end);
    return QString::asprintf("caret %d, %d selections, selection %d-%d, at a point %d",
                             words->cursorPosition(), words->selectionCount(), start, end,
                             words->offsetAtPoint(QPoint(1, 1)));
}

// A USB port's page, an eGK's card data and both lamps lit, padded as the program keeps its fixed texts.
void FillModel(MainWindowModel& ui) {
    ui.lamps = {LampColor::Yellow, LampColor::Green};
    StatusPage& usb = ui.statusPages[5];
    usb.values[0] = QStringLiteral("USB (CTAPI pn=8192)").leftJustified(60);
    usb.values[1] = QStringLiteral("9600").leftJustified(15);
    usb.values[2] = QString().leftJustified(50);
    ui.card.values[0] = QStringLiteral("Müller && Söhne BKK   "); // as the display doubles "&"
    ui.card.captions[3] = QStringLiteral("WOP:");
    ui.card.values[3] = QStringLiteral("38 ");
}

class ScreenReader : public ShownWindow, public ::testing::WithParamInterface<const char*> {};

// Names, roles, values and captions from tests/data/gui/accessible_tree.txt,
// as built, after a refresh with a filled model, and after one with the model reset.
TEST_P(ScreenReader, HearsNamesRolesValuesAndCaptions) {
    const QString state = QString::fromLatin1(GetParam());
    const auto rows = CaseRows("gui/accessible_tree.txt");
    ASSERT_EQ(rows.size(), 27u);
    if (state != "start") {
        FillModel(h.state().ui);
        h.refresh();
    }
    if (state == "reset") {
        h.state().ui = MainWindowModel{};
        h.refresh();
    }
    const auto reached = WalkTree(h.window());
    for (const QStringList& row : rows) {
        if (row[0] != state)
            continue;
        const QString where = row.join('|');
        ASSERT_TRUE(reached.count(row[1])) << qPrintable(where);
        QAccessibleInterface* node = reached.at(row[1]);
        EXPECT_EQ(RoleName(node->role()), row[2]) << qPrintable(where);
        EXPECT_EQ(node->text(QAccessible::Name), row[3]) << qPrintable(where);
        EXPECT_EQ(node->text(QAccessible::Value), row[4]) << qPrintable(where);
        EXPECT_EQ(Related(node, QAccessible::Label), Items(row[5])) << qPrintable(where);
        if (row[2] == "StaticText") {
            EXPECT_EQ(WordsOf(node), row[4]) << qPrintable(where);
            EXPECT_EQ(CaretOf(node->textInterface()), "caret 0, 0 selections, selection 0-0, at a point -1")
                << qPrintable(where);
            EXPECT_TRUE(node->state().readOnly) << qPrintable(where);
        }
        // The caption names its value the other way round, too.
        const QString caption = Items(row[5]).value(0);
        if (qobject_cast<QLabel*>(h.window().findChild<QObject*>(caption))) {
            EXPECT_EQ(Related(reached.at(caption), QAccessible::Labelled), QStringList(row[1]))
                << qPrintable(where);
        }
    }
    if (state == "filled") {
        EXPECT_EQ(h.w().pages[4].values[1]->text(), "9600           ") << "the shown text keeps its width";
        EXPECT_EQ(h.w().lamps[0]->styleSheet() + h.w().lamps[1]->styleSheet(),
                  "background-color: rgb(255, 255, 0);background-color: rgb(0, 255, 0);");
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ScreenReader, ::testing::Values("start", "filled", "reset"),
                         [](const auto& row) { return std::string(row.param); });

TEST_F(ShownWindow, TreeHoldsNoUnnamedButtonNoCheckBoxAndNoFillButton) {
    const auto reached = WalkTree(h.window());
    ASSERT_GT(reached.size(), 100u);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(h.w().toolbar);
    EXPECT_TRUE(bar->indexOfChild(nullptr) == -1 && !bar->child(-1) && !bar->child(bar->childCount()));
    for (const char* filler : {"CmdB_MKT_Test_Fill", "CmdB_MKT_Test_Fill2"}) {
        EXPECT_NE(h.window().findChild<QToolButton*>(filler), nullptr) << filler;
        EXPECT_EQ(reached.count(filler), 0u) << filler;
    }
    for (const auto& [name, node] : reached) {
        EXPECT_NE(node->role(), QAccessible::CheckBox) << qPrintable(name);
        if (node->role() == QAccessible::PushButton || node->role() == QAccessible::RadioButton) {
            EXPECT_FALSE(node->text(QAccessible::Name).trimmed().isEmpty()) << qPrintable(name);
        }
    }
}

// A screen reader's "toggle" on a port option is a person's click on it.
TEST_F(ShownWindow, ToggleOnAPortOptionChoosesThePort) {
    QAccessibleInterface* option = QAccessible::queryAccessibleInterface(h.w().options[2]);
    ASSERT_TRUE(
        option->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    option->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(h.state().SelectedSlot, 3);
    EXPECT_TRUE(option->state().checked && option->state().checkable);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(h.w().options[0])->state().checked);
}

} // namespace
} // namespace kc::test
