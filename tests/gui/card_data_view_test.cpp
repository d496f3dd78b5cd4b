// SPDX-License-Identifier: Apache-2.0
#include "window_harness.h"

namespace kc::test {
namespace {

// The texts and the copy are decided on the data (card_display_test); here only what the widgets add.
class CardDataView : public ShownWindow {
  protected:
    void SetUp() override {
        ShownWindow::SetUp();
        for (int slot : {1, 2}) {
            h.state().tables.terminal[slot].Responding = true;
            for (int field = 0; field < kInsuredFieldCount; ++field)
                h.state().tables.insured[slot][std::size_t(field)] = QStringLiteral("F%1").arg(field);
        }
    }
    QLabel* value(int row) { return h.w().cardRows[std::size_t(row)].value; }
};

TEST_F(CardDataView, HandheldRowsAndEgkButtonFollowTheSlot) {
    h.state().tables.terminal[1].IsMobile = true;
    h.w().options[0]->click();
    EXPECT_EQ(h.w().cardFrame->title(), "Krankenversicherten Kartendaten(Mobil)");
    EXPECT_EQ(value(17)->text(), "F18");
    EXPECT_TRUE(!value(16)->isHidden() && h.w().egkButton->isHidden());

    h.state().tables.terminal[2].IsEgk = true;
    h.w().options[1]->click();
    EXPECT_EQ(h.w().cardRows[3].caption->text(), "WOP:");
    EXPECT_TRUE(value(16)->isHidden() && !h.w().egkButton->isHidden());
}

TEST_F(CardDataView, StatusPageOfTheFurtherPortFillsFifteenDownToEight) {
    for (int row = 0; row < kStatusRows; ++row)
        h.state().ui.statusPages[5].values[std::size_t(row)] = QStringLiteral("V%1").arg(row);
    h.refresh();
    for (int item = 0; item < 16; ++item) {
        const QString expected = item >= 8 ? QStringLiteral("V%1").arg(15 - item) : QString();
        EXPECT_EQ(h.window().findChild<QLabel*>(QStringLiteral("Labe_FramTab3_%1").arg(item))->text(),
                  expected)
            << item;
    }
}

} // namespace
} // namespace kc::test
