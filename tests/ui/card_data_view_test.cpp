#include "window_harness.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

class CardDataView : public ::testing::Test {
  protected:
    void SetUp() override {
        h.showWindow();
        // Buttons 3 to 5 as after a scan that found a terminal on COM 1.
        h.state().tables.terminal[1].Responding = true;
        h.state().tables.terminal[1].HasCardData = true;
    }

    void fill(int slot) {
        InsuredRecord& record = h.state().tables.insured[slot];
        for (int field = 0; field < kInsuredFieldCount; ++field)
            record[std::size_t(field)] = QStringLiteral("F%1").arg(field);
    }

    QLabel* value(int row) { return h.w().cardRows[std::size_t(row)].value; }
    QLabel* caption(int row) { return h.w().cardRows[std::size_t(row)].caption; }

    void choose(int option) { h.w().options[std::size_t(option)]->click(); }
    void press(int button) {
        h.state().ui.buttonEnabled[std::size_t(button)] = true;
        h.refresh();
        h.w().buttons[std::size_t(button)]->click();
    }

    WindowHarness h;
};

// The texts and the copy are decided on the data (card_display_test); here
// only what the widgets add: the labels undo the doubled ampersand, the
// buttons report in the status line, the handheld rows and eGK button show.
TEST_F(CardDataView, ButtonsShowCopyAndResetTheLabels) {
    fill(1);
    h.state().tables.insured[1][Krankenkassenname] = QStringLiteral("Müller & Söhne BKK");
    choose(0);
    press(3);
    EXPECT_FALSE(h.w().contentFrames[kFrameCardData]->isHidden());
    EXPECT_EQ(value(0)->text(), "Müller & Söhne BKK");
    EXPECT_EQ(value(9)->text(), "F9");
    press(4);
    EXPECT_EQ(h.sim.clipboard.clears, 1);
    EXPECT_TRUE(h.sim.clipboard.text.startsWith("Müller & Söhne BKK\r\nF1\r\n"));
    EXPECT_EQ(h.w().statusText->text(), "Die Krankenversichertendaten wurden in die Zwischenablage kopiert");
    press(5);
    EXPECT_EQ(h.w().statusText->text(), "Die Anzeigefelder wurden zurückgesetzt");
    for (int row = 0; row < kCardRows; ++row)
        EXPECT_EQ(value(row)->text(), "") << row;
}

TEST_F(CardDataView, HandheldRowsAndEgkButtonFollowTheSlot) {
    fill(1);
    h.state().tables.terminal[1].IsMobile = true;
    choose(0);
    EXPECT_EQ(h.w().cardFrame->title(), "Krankenversicherten Kartendaten(Mobil)");
    EXPECT_EQ(caption(16)->text(), "Einlesedatum:");
    EXPECT_EQ(value(17)->text(), "F18");
    EXPECT_FALSE(caption(16)->isHidden());
    EXPECT_TRUE(h.w().egkButton->isHidden());

    fill(2);
    h.state().tables.terminal[2].Responding = true;
    h.state().tables.terminal[2].IsEgk = true;
    choose(1);
    EXPECT_EQ(caption(3)->text(), "WOP:");
    EXPECT_TRUE(caption(16)->isHidden());
    EXPECT_TRUE(value(17)->isHidden());
    EXPECT_FALSE(h.w().egkButton->isHidden());
}

TEST_F(CardDataView, StatusPageOfTheFurtherPortFillsFifteenDownToEight) {
    PortStatus& port = h.state().tables.port[5];
    TerminalInfo& info = h.state().tables.terminal[5];
    port.InterfaceText = QStringLiteral("USB (CTAPI pn=8192)");
    port.BaudRateText = QStringLiteral("9600");
    info.ModelText = QStringLiteral("Serie Q4");
    info.Manufacturer = QStringLiteral("DEZAV");
    info.CtType = QStringLiteral("QKT-4");
    info.SoftwareVersion = QStringLiteral("3.1.0");
    info.OutputMedium = QStringLiteral("PC");
    info.PnpDeviceId = QStringLiteral("ZAV0001");
    ShowTerminalStatus(h.state().tables, 5, h.state().ui.statusPages);
    h.refresh();
    auto label = [&](int item) {
        return h.window().findChild<QLabel*>(QStringLiteral("Labe_FramTab3_%1").arg(item))->text();
    };
    EXPECT_EQ(label(15), QStringLiteral("USB (CTAPI pn=8192)").leftJustified(60));
    EXPECT_EQ(label(14), QStringLiteral("9600").leftJustified(15));
    EXPECT_EQ(label(13), QStringLiteral("Serie Q4").leftJustified(50));
    EXPECT_EQ(label(12), "DEZAV");
    EXPECT_EQ(label(11), "QKT-4");
    EXPECT_EQ(label(10), "3.1.0");
    EXPECT_EQ(label(9), QStringLiteral("PC").leftJustified(25));
    EXPECT_EQ(label(8), QStringLiteral("ZAV0001").leftJustified(10));
    for (int item = 0; item < 8; ++item)
        EXPECT_EQ(label(item), "") << "the page of COM 4 is untouched";
}

} // namespace
} // namespace kc::test
