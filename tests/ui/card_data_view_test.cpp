// The card data view and status pages on the window, and the clipboard copy.
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

TEST_F(CardDataView, AmpersandShownOnceAndCopiedOnce) {
    fill(1);
    h.state().tables.insured[1][Krankenkassenname] = QStringLiteral("Müller & Söhne BKK");
    choose(0);
    press(3);
    EXPECT_TRUE(!h.w().contentFrames[kFrameCardData]->isHidden());
    EXPECT_EQ(h.state().ui.card.values[0], "Müller && Söhne BKK");
    EXPECT_EQ(value(0)->text(), "Müller & Söhne BKK");
    press(4);
    EXPECT_EQ(h.sim.clipboard.clears, 1);
    EXPECT_TRUE(h.sim.clipboard.text.startsWith("Müller & Söhne BKK\r\nF1\r\n")) << qPrintable(h.sim.clipboard.text);
    EXPECT_EQ(h.w().statusText->text(), "Die Krankenversichertendaten wurden in die Zwischenablage kopiert");
}

TEST_F(CardDataView, KvkAfterEgkTakesTheKvkCaptionsBack) {
    fill(1);
    h.state().tables.terminal[1].IsEgk = true;
    choose(0);
    EXPECT_EQ(h.w().cardFrame->title(), "eGK VSDaten(Karte) abgebildet auf die Krankenversicherten Kartendaten");
    EXPECT_EQ(caption(3)->text(), "WOP:");
    EXPECT_EQ(caption(4)->text(), "Versichertenstatus_RSA:");
    EXPECT_EQ(caption(5)->text(), "Rechtskreis:");
    EXPECT_EQ(caption(15)->text(), "Gültigkeit (Ende):");
    EXPECT_FALSE(h.w().egkButton->isHidden());

    h.state().tables.terminal[1].IsEgk = false;
    choose(0);
    EXPECT_EQ(h.w().cardFrame->title(), "Krankenversicherten Kartendaten(Karte)");
    EXPECT_EQ(caption(3)->text(), "VKNR:");
    EXPECT_EQ(caption(4)->text(), "Versichertenstatus:");
    EXPECT_EQ(caption(5)->text(), "Statusergänzung:");
    EXPECT_EQ(caption(15)->text(), "Gültigkeitsdatum:");
    EXPECT_TRUE(h.w().egkButton->isHidden());
    EXPECT_TRUE(caption(16)->isHidden());
    EXPECT_TRUE(value(17)->isHidden());
}

TEST_F(CardDataView, HandheldShowsRowsSixteenAndSeventeenAndCopiesEighteenLines) {
    fill(1);
    h.state().tables.terminal[1].IsMobile = true;
    choose(0);
    EXPECT_EQ(h.w().cardFrame->title(), "Krankenversicherten Kartendaten(Mobil)");
    EXPECT_FALSE(caption(16)->isHidden());
    EXPECT_FALSE(value(17)->isHidden());
    EXPECT_EQ(caption(16)->text(), "Einlesedatum:");
    EXPECT_EQ(value(16)->text(), "F17");
    EXPECT_EQ(value(17)->text(), "F18");
    press(4);
    const QString text = h.sim.clipboard.text;
    EXPECT_EQ(text.count("\r\n"), 18);
    EXPECT_TRUE(text.endsWith("F15\r\nF17\r\nF18\r\n")) << qPrintable(text);
    EXPECT_FALSE(text.contains("F16"));
    EXPECT_FALSE(text.contains("F19"));
    EXPECT_FALSE(text.contains(":")) << "values only";

    // Back to a stationary slot: the handheld rows go away again.
    fill(2);
    h.state().tables.terminal[2].Responding = true;
    choose(1);
    EXPECT_TRUE(caption(16)->isHidden());
    EXPECT_TRUE(value(16)->isHidden());
}

TEST_F(CardDataView, ResetThenCopyGivesSixteenEmptyLines) {
    fill(1);
    choose(0);
    press(3);
    ASSERT_EQ(value(9)->text(), "F9");
    press(5);
    EXPECT_EQ(h.w().statusText->text(), "Die Anzeigefelder wurden zurückgesetzt");
    for (int row = 0; row < kCardRows; ++row)
        EXPECT_EQ(value(row)->text(), "") << row;
    press(4);
    QString sixteen;
    for (int line = 0; line < 16; ++line)
        sixteen += QStringLiteral("\r\n");
    EXPECT_EQ(h.sim.clipboard.text, sixteen);
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
