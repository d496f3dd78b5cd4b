#include "data_rows.h"
#include "gui/main_window_builder.h"
#include "window_harness.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

// The texts a person reads at start, from tests/data/ui/main_window_start.txt.
TEST(MainWindowLayout, TextsAndStartState) {
    WindowHarness h;
    const auto rows = DataRows("ui/main_window_start.txt", QLatin1Char('|'));
    ASSERT_EQ(rows.size(), 37u);
    for (const QStringList& cell : rows) {
        QObject* found =
            h.window().objectName() == cell[0] ? &h.window() : h.window().findChild<QObject*>(cell[0]);
        ASSERT_NE(found, nullptr) << qPrintable(cell[0]);
        EXPECT_EQ(found->property(qPrintable(cell[1])).toString(), cell[2]) << qPrintable(cell.join('|'));
    }
    for (QToolButton* button : h.w().buttons)
        EXPECT_FALSE(button->icon().isNull()) << "pictures only";
    EXPECT_EQ(h.w().menus.datei->actions().size(), 4);
    EXPECT_TRUE(h.w().list->isHidden());
    EXPECT_TRUE(h.w().egkButton->isHidden());
    for (QWidget* frame : h.w().contentFrames)
        EXPECT_TRUE(frame->isHidden());
    for (int row = 0; row < kCardRows; ++row)
        EXPECT_EQ(h.w().cardRows[std::size_t(row)].value->isHidden(), row >= 16) << row;
    ASSERT_EQ(h.w().tabs->count(), 5);
    EXPECT_EQ(h.w().tabs->tabText(4), "COM ...");
    for (int page = 0; page < 5; ++page)
        EXPECT_EQ(h.w().pages[std::size_t(page)].frame->isHidden(), page != 0) << page;
}

TEST(MainWindowLayout, LabelsShowClassicAccelerators) {
    EXPECT_EQ(ShownLabelText("Müller && Söhne"), "Müller & Söhne");
    EXPECT_EQ(ShownLabelText("A&&&&B"), "A&&B");
    EXPECT_EQ(ShownLabelText("&OK"), "OK");
    EXPECT_EQ(ShownLabelText("Ende&"), "Ende&");
}

} // namespace
} // namespace kc::test
