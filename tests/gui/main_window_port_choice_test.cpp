// SPDX-License-Identifier: Apache-2.0
#include "window_harness.h"

namespace kc::test {
namespace {

// The choice is decided in the dispatcher; options, tabs, pages and the list reach it and follow it.
TEST_F(ShownWindow, OptionsTabsPagesAndListFollowTheChoice) {
    h.w().options[2]->click();
    EXPECT_EQ(h.w().tabs->currentIndex(), 2);
    EXPECT_TRUE(!h.w().pages[2].frame->isHidden() && h.w().pages[0].frame->isHidden());
    EXPECT_TRUE(h.w().list->isHidden());

    h.w().tabs->setCurrentIndex(0); // as a click on the first tab does
    EXPECT_TRUE(h.w().options[0]->isChecked() && !h.w().options[2]->isChecked());

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
    h.sim.boxes.script({MsgAnswer::Cancel});
    h.w().list->setCurrentRow(0); // and then the first
    EXPECT_EQ(state.SelectedPort, 8192);
    EXPECT_EQ(h.w().tabs->tabText(4), "USB Device 1");

    // The model leads: the list row and every command button follow it on each refresh.
    for (const bool odd : {false, true}) {
        state.ui.listSelected = odd ? 1 : 0;
        for (int i = 0; i < kCommandButtons; ++i)
            state.ui.buttonEnabled[std::size_t(i)] = (i % 2 == 1) == odd;
        h.refresh();
        EXPECT_EQ(h.w().list->currentRow(), state.ui.listSelected);
        for (int i = 0; i < kCommandButtons; ++i)
            EXPECT_EQ(h.w().buttons[std::size_t(i)]->isEnabled(), (i % 2 == 1) == odd) << i;
    }
}

TEST(MainWindowPorts, FirstActivationPressesTheScanButtonOnce) {
    WindowHarness h;
    h.state().AutoScanPending = true;
    h.showWindow();
    h.window().activateWindow();
    for (int round = 0; round < 20 && h.dialogsShown.isEmpty(); ++round)
        QApplication::processEvents();
    EXPECT_FALSE(h.state().AutoScanPending);
    EXPECT_EQ(h.dialogsShown, QStringList({"Form_DatenInfo"}));
    h.dialogsShown.clear();
    h.window().activateWindow();
    QApplication::processEvents();
    EXPECT_TRUE(h.dialogsShown.isEmpty());
}

TEST_F(ShownWindow, BusyPointerAndWaitViewDuringTheScan) {
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
    EXPECT_TRUE(during == Qt::WaitCursor && waitViewDuring && progressDuring == 100);
    EXPECT_TRUE(QApplication::overrideCursor() == nullptr && h.w().progress->value() == 0);
}

} // namespace
} // namespace kc::test
