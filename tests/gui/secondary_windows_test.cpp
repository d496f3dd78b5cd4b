// SPDX-License-Identifier: Apache-2.0
#include "gui/first_user_window.h"
#include "gui/info_window.h"
#include "gui/scan_result_window.h"
#include "window_harness.h"

namespace kc::test {
namespace {

TEST(FirstUserWindow, StartUpModeNeedsAChoice) {
    bool quit = false;
    FirstUserWindow window(quit);
    EXPECT_TRUE(quit) << "loading the window presets the quit flag";
    ExpectProperties(window, "gui/first_user_start.txt", 4);
    window.show();
    PressKey(window.button(0), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible()) << "Esc does not close the window at start-up";
    FirstUserWindow byCloseBox(quit);
    byCloseBox.show();
    byCloseBox.close();
    EXPECT_TRUE(quit) << "closing keeps the preset";
}

TEST(FirstUserWindow, HelpModeHasOneButtonAndEscCloses) {
    bool quit = true;
    FirstUserWindow window(quit);
    window.prepareHelpMode();
    window.show();
    PressKey(window.button(0), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible() || quit);
}

// Its texts and pictures are judged by the about window's picture.
TEST(InfoWindow, EscCloses) {
    InfoWindow window;
    window.show();
    PressKey(window.findChild<QPushButton*>("CmdB_1Form_Info"), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// The texts come from the model (scan_result_test); the window places port numbers and key picture.
TEST(ScanResultWindow, PortNumberAndKeyPictureSitInTheGaps) {
    SlotTables tables;
    tables.terminal[2].Responding = true;
    tables.port[2].CtApiBaudText = QStringLiteral("9600");
    tables.port[3].PortResult = -10;
    ScanResultWindow window(FillScanResult(tables, 0));
    EXPECT_EQ(window.windowTitle(), "KartoCheck Ergebnis");
    EXPECT_EQ(window.portGap(0)->text() + window.portGap(1)->text() + window.portGap(2)->text(), "23");
    EXPECT_TRUE(window.keyPicture(1)->isHidden() && !window.keyPicture(2)->isHidden());
    EXPECT_FALSE(window.line(1)->alignment() & Qt::AlignHCenter);
    const QFontMetrics metrics(window.line(1)->font());
    EXPECT_EQ(window.portGap(1)->x(), window.line(1)->x() + metrics.horizontalAdvance("An COM "));
    const QString possible = window.line(2)->text();
    EXPECT_GE(window.keyPicture(2)->x(),
              window.line(2)->x() + metrics.horizontalAdvance(possible.left(possible.indexOf(" Mit ") + 5)) -
                  1);
}

TEST(ScanResultWindow, SummaryOnTwoLinesNothingFoundCentredAndEscCloses) {
    SlotTables tables;
    ScanResultWindow further(FillScanResult(tables, 2));
    EXPECT_EQ(further.line(4)->text(), "2 Chipkartenleser gefunden.\nSiehe Schnittstellen weitere ...");
    // The summary stands apart below the port lines, whole inside its frame.
    EXPECT_GT(further.line(4)->y(), further.line(3)->geometry().bottom() + 1);
    EXPECT_TRUE(further.line(4)->parentWidget()->rect().contains(further.line(4)->geometry()));

    ScanResultWindow nothing(FillScanResult(tables, 0));
    EXPECT_TRUE(nothing.line(1)->alignment() & Qt::AlignHCenter);
    auto* ok = nothing.findChild<QPushButton*>("Command1");
    nothing.show();
    QApplication::setActiveWindow(&nothing);
    ok->setFocus();
    ASSERT_TRUE(ok->hasFocus());
    PressKey(ok, Qt::Key_Escape);
    EXPECT_FALSE(nothing.isVisible());
}

TEST(ScanResultGaps, GapAfterFindsTheBlanks) {
    const TextGap gap = GapAfter("An COM       Chipkartenleser", "An COM ");
    EXPECT_EQ(std::pair(gap.start, gap.length), (std::pair<qsizetype, qsizetype>(7, 6)));
    EXPECT_EQ(GapAfter("Keinen Chipkartenleser gefunden!", "An COM ").start, -1);
    EXPECT_EQ(GapAfter("An COM 2", "An COM ").length, 0);
}

} // namespace
} // namespace kc::test
