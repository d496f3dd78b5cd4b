// SPDX-License-Identifier: Apache-2.0
#include "gui/main_window_builder.h"
#include "window_harness.h"

namespace kc::test {
namespace {

// The texts and states the flows set at start, from tests/data/gui/main_window_start.txt.
TEST(MainWindowLayout, TextsAndStartState) {
    WindowHarness h;
    ExpectProperties(h.window(), "gui/main_window_start.txt", 18);
    EXPECT_TRUE(h.w().list->isHidden() && h.w().egkButton->isHidden());
    for (QWidget* frame : h.w().contentFrames)
        EXPECT_TRUE(frame->isHidden());
    for (int row = 0; row < kCardRows; ++row)
        EXPECT_EQ(h.w().cardRows[std::size_t(row)].value->isHidden(), row >= 16) << row;
    EXPECT_EQ(h.w().tabs->tabText(4), "COM ...");
    for (int page = 0; page < 5; ++page)
        EXPECT_EQ(h.w().pages[std::size_t(page)].frame->isHidden(), page != 0) << page;
}

TEST(MainWindowLayout, LabelsShowClassicAccelerators) {
    EXPECT_EQ(ShownLabelText("A&&&&B"), "A&&B");
    EXPECT_EQ(ShownLabelText("&OK"), "OK");
    EXPECT_EQ(ShownLabelText("Ende&") + ShownLabelText("Ende&&"), "Ende&Ende&");
}

} // namespace
} // namespace kc::test
