// SPDX-License-Identifier: Apache-2.0
// The library chooser over the main window: what it offers, what it hands back,
// the menu item locked during an action, and the title following the choice.
#include "gui/library_chooser_window.h"
#include "window_harness.h"

namespace kc::test {
namespace {

const QList<LibraryEntry> kEntries = {
    {"libctapi-pcsc.so", "/lib/k/libctapi-pcsc.so", "Kartenleser unter pcscd (PC/SC)", false},
    {"libmktsim.so", "/lib/k/libmktsim.so", "Simulator – kein echtes Terminal", true}};

struct ChooserCase {
    const char* name;
    int fit;          // preselected entry
    const char* file; // what "Andere Datei…" hands back; nullptr: OK is pressed
    bool cancel;
    const char* expected;
};

class LibraryChooserCase : public ::testing::TestWithParam<ChooserCase> {};

TEST_P(LibraryChooserCase, ListsLibrariesTakesTheFitOrAnotherFileAndCancelGivesNothing) {
    const ChooserCase& c = GetParam();
    QString filter;
    LibraryChooserWindow chooser(kEntries, {c.fit, "Vermutlich passend: …"}, [&](const QString& f) {
        filter = f;
        return QString::fromUtf8(c.file);
    });
    EXPECT_EQ(chooser.windowTitle(), "Terminal-Bibliothek wählen");
    ASSERT_EQ(chooser.list()->count(), 2);
    EXPECT_EQ(chooser.list()->item(1)->text(), "libmktsim.so\n    Simulator – kein echtes Terminal");
    EXPECT_EQ(chooser.list()->currentRow(), c.fit);
    EXPECT_EQ(chooser.okButton()->isEnabled(), c.fit >= 0);
    EXPECT_EQ(chooser.fitLabel()->text(), "Vermutlich passend: …");
    if (c.cancel)
        chooser.reject();
    else if (c.file)
        chooser.otherFileButton()->click();
    else
        chooser.okButton()->click();
    EXPECT_EQ(chooser.chosenFile(), c.expected);
    EXPECT_EQ(filter, c.file ? "CT-API-Bibliothek (*.so*)" : "");
}

INSTANTIATE_TEST_SUITE_P(
    LibraryChooser, LibraryChooserCase,
    ::testing::Values(ChooserCase{"ok_on_the_first", 0, nullptr, false, "/lib/k/libctapi-pcsc.so"},
                      ChooserCase{"ok_on_the_second", 1, nullptr, false, "/lib/k/libmktsim.so"},
                      ChooserCase{"another_file", -1, "/opt/maker/libctmaker.so.2", false,
                                  "/opt/maker/libctmaker.so.2"},
                      ChooserCase{"cancel", 0, nullptr, true, ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ShownWindow, LibraryItemFollowsValidationItemIsLockedDuringAnActionAndOpensTheChooser) {
    const QList<QAction*> items = h.w().menus.datei->actions();
    const int schema = int(items.indexOf(h.w().menus.newSchema->menuAction()));
    ASSERT_GE(schema, 0);
    EXPECT_EQ(items.value(schema + 1), h.w().menus.library);
    EXPECT_EQ(h.w().menus.library->text(), "Terminal-Bibliothek &wählen…");
    bool lockedDuringScan = false;
    h.onDialog = [&](QDialog&) { lockedDuringScan = !h.w().menus.library->isEnabled(); };
    h.w().buttons[0]->click();
    EXPECT_TRUE(lockedDuringScan);
    EXPECT_TRUE(h.w().menus.library->isEnabled());
    h.onDialog = {};
    h.dialogsShown.clear();
    h.w().menus.library->trigger();
    EXPECT_EQ(h.dialogsShown, QStringList({"Form_Library"}));
}

TEST_F(ShownWindow, TitleAndStatusLineFollowTheLibraryInUse) {
    for (const auto& [name, title] : {std::pair("/libmktsim.so", "KartoCheck – Simulator"),
                                      std::pair("/libctapi-serial.so", "KartoCheck")}) {
        const QString file = SimHarness::BinDir() + name;
        h.program.useLibrary(file);
        EXPECT_EQ(h.window().windowTitle(), QString::fromUtf8(title));
        EXPECT_EQ(h.state().ui.statusText, "Terminal-Bibliothek: " + file);
    }
}

} // namespace
} // namespace kc::test
