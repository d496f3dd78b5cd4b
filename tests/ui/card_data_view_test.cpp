#include "window_harness.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

// The texts and the copy are decided on the data (card_display_test); here
// only what the widgets add: the labels undo the doubled ampersand, the
// buttons reach the slot, the handheld rows and the eGK button show, and the
// further port's page fills its labels from 15 down to 8.
class CardDataView : public ::testing::Test {
  protected:
    void SetUp() override {
        h.showWindow();
        for (int slot : {1, 2}) {
            h.state().tables.terminal[slot].Responding = true;
            for (int field = 0; field < kInsuredFieldCount; ++field)
                h.state().tables.insured[slot][std::size_t(field)] = QStringLiteral("F%1").arg(field);
        }
    }
    QLabel* value(int row) { return h.w().cardRows[std::size_t(row)].value; }
    void press(int button) {
        h.state().ui.buttonEnabled[std::size_t(button)] = true;
        h.refresh();
        h.w().buttons[std::size_t(button)]->click();
    }

    WindowHarness h;
};

TEST_F(CardDataView, ButtonsShowCopyAndResetTheLabels) {
    h.state().tables.insured[1][Krankenkassenname] = QStringLiteral("Müller & Söhne BKK");
    h.state().tables.terminal[1].HasCardData = true;
    h.w().options[0]->click();
    press(3);
    EXPECT_FALSE(h.w().contentFrames[kFrameCardData]->isHidden());
    EXPECT_EQ(value(0)->text(), "Müller & Söhne BKK");
    EXPECT_EQ(value(9)->text(), "F9");
    press(4);
    EXPECT_TRUE(h.sim.clipboard.text.startsWith("Müller & Söhne BKK\r\nF1\r\n"));
    press(5);
    for (int row = 0; row < kCardRows; ++row)
        EXPECT_EQ(value(row)->text(), "") << row;
}

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
