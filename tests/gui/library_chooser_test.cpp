// SPDX-License-Identifier: Apache-2.0
// The library chooser over the main window: what it offers, what it hands back,
// the menu item locked during an action, and the title following the choice.
#include "data_rows.h"
#include "gui/library_chooser_window.h"
#include "window_harness.h"

namespace kc::test {
namespace {

const QList<LibraryEntry> kEntries = {
    {"libctapi-pcsc.so", "/lib/k/libctapi-pcsc.so", "Kartenleser unter pcscd (PC/SC)", false},
    {"libmktsim.so", "/lib/k/libmktsim.so", "Simulator – kein echtes Terminal", true}};

class LibraryChooserCase : public ::testing::TestWithParam<QStringList> {};

TEST_P(LibraryChooserCase, ListsLibrariesTakesTheFitOrAnotherFileAndCancelGivesNothing) {
    const QStringList& c = GetParam();
    const int fit = c[1].toInt();
    const QString file = c[2] == "-" ? QString() : c[2];
    QString filter;
    LibraryChooserWindow chooser(kEntries, {fit, "Vermutlich passend: …"}, [&](const QString& f) {
        filter = f;
        return file;
    });
    EXPECT_EQ(chooser.windowTitle(), "Terminal-Bibliothek wählen");
    ASSERT_EQ(chooser.list()->count(), 2);
    EXPECT_EQ(chooser.list()->item(1)->text(), "libmktsim.so\n    Simulator – kein echtes Terminal");
    EXPECT_EQ(chooser.list()->currentRow(), fit);
    EXPECT_EQ(chooser.okButton()->isEnabled(), fit >= 0);
    EXPECT_EQ(chooser.fitLabel()->text(), "Vermutlich passend: …");
    if (c[3] == "cancel")
        chooser.reject();
    else if (!file.isEmpty())
        chooser.otherFileButton()->click();
    else
        chooser.okButton()->click();
    EXPECT_EQ(chooser.chosenFile(), c[4]);
    EXPECT_EQ(filter, file.isEmpty() ? "" : "CT-API-Bibliothek (*.so*)");
    chooser.list()->setCurrentRow(0); // a pick in the list enables OK
    EXPECT_TRUE(chooser.okButton()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(LibraryChooser, LibraryChooserCase,
                         ::testing::ValuesIn(CaseRows("gui/library_chooser.txt")), FirstCellName());

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
