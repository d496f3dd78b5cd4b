#include "window_harness.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

// The choice itself is decided and tested in the dispatcher (PortChoiceTest);
// here only that options, tabs, pages and the list reach it and follow it.
TEST(MainWindowPorts, OptionsTabsPagesAndListFollowTheChoice) {
    WindowHarness h;
    h.showWindow();
    h.w().options[2]->click();
    EXPECT_EQ(h.w().tabs->currentIndex(), 2);
    for (int page = 0; page < 5; ++page)
        EXPECT_EQ(h.w().pages[std::size_t(page)].frame->isHidden(), page != 2) << page;
    EXPECT_TRUE(h.w().list->isHidden());

    h.w().tabs->setCurrentIndex(1); // as a click on the tab does
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(h.w().options[std::size_t(i)]->isChecked(), i == 1) << i;
    EXPECT_EQ(h.w().statusText->text(), "Der MKT Status wird angezeigt");

    AppState& state = h.state();
    state.tables.furtherPorts[1][0] = 8192;
    state.tables.furtherPorts[1][1] = 8193;
    state.ui.listEntries = {QStringLiteral("USB Device 1 (pn=8192  )"),
                            QStringLiteral("USB Device 2 (pn=8193  )")};
    h.w().options[4]->click();
    EXPECT_TRUE(!h.w().list->isHidden() && h.w().tabs->currentIndex() == 4);
    h.sim.boxes.script({MsgAnswer::Cancel});
    h.w().list->setCurrentRow(1); // the person picks the second entry
    EXPECT_EQ(state.SelectedPort, 8193);
    EXPECT_EQ(h.w().tabs->tabText(4), "USB Device 2");
    EXPECT_TRUE(!h.w().contentFrames[kFrameCardData]->isHidden() && h.w().toolbar->isEnabled());
}

TEST(MainWindowPorts, FirstActivationPressesTheScanButtonOnce) {
    WindowHarness h;
    h.state().AutoScanPending = true;
    h.showWindow();
    h.window().activateWindow();
    for (int round = 0; round < 20 && h.dialogsShown.isEmpty(); ++round)
        QApplication::processEvents();
    EXPECT_FALSE(h.state().AutoScanPending);
    // The scan ends with its result window and the status tab.
    EXPECT_EQ(h.dialogsShown, QStringList({"Form_DatenInfo"}));
    EXPECT_FALSE(h.w().contentFrames[kFrameStatus]->isHidden());
    ASSERT_EQ(h.w().list->count(), 1);
    EXPECT_EQ(h.w().list->item(0)->text(), "USB Device 1 (pn=8192  )");
    EXPECT_TRUE(h.w().buttons[2]->isEnabled());
    h.dialogsShown.clear();
    h.window().activateWindow();
    QApplication::processEvents();
    EXPECT_TRUE(h.dialogsShown.isEmpty());
}

TEST(MainWindowPorts, BusyPointerAndWaitViewDuringTheScan) {
    WindowHarness h;
    h.showWindow();
    Qt::CursorShape during = Qt::ArrowCursor;
    bool waitViewDuring = false;
    int progressDuring = -1;
    h.onDialog = [&](QDialog&) {
        if (QApplication::overrideCursor())
            during = QApplication::overrideCursor()->shape();
        waitViewDuring = !h.w().contentFrames[kFrameWait]->isHidden();
        progressDuring = h.w().progress->value();
    };
    h.w().buttons[0]->click();
    EXPECT_TRUE(during == Qt::WaitCursor && waitViewDuring);
    EXPECT_EQ(progressDuring, 100);
    EXPECT_TRUE(QApplication::overrideCursor() == nullptr && h.w().progress->value() == 0);
}

} // namespace
} // namespace kc::test
