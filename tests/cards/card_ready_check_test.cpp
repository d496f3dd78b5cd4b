#include "card_test_support.h"
#include "cards/card_ready_check.h"
#include "sim_harness.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::IsErrorBox;

const QString kResetCt = QStringLiteral("2011000000");
const QString kRequestIcc = QStringLiteral("201201000101");
const QString kSelectKvk = QStringLiteral("00A4040006D27600000101");
const QString kClose = QStringLiteral("close");

class CardReadyCheckTest : public ::testing::Test {
  protected:
    void load(const char* scenario) {
        ASSERT_TRUE(h.loadFile(QStringLiteral("kvk/") + QLatin1String(scenario)))
            << qPrintable(h.loadError());
    }
    TerminalInfo& info(int slot) { return h.state.tables.terminal[slot]; }

    test::SimHarness h;
};

TEST_F(CardReadyCheckTest, InsertedKvkIsReadAtOnce) {
    load("stationary_template_6081.scn");
    EXPECT_EQ(CheckCardReady(h.ctx, 3), CardReadiness::ReadNow);
    EXPECT_EQ(h.apduLog(), QStringList({"init 3", kRequestIcc, kSelectKvk, kResetCt, kClose}));
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_FALSE(h.session.SessionOpen());
    EXPECT_EQ(info(3).OutputMedium.str().trimmed(), QString());
}

TEST_F(CardReadyCheckTest, DisplayOutputIsRecordedFromTheRefusedSelect) {
    load("output_display.scn");
    EXPECT_EQ(CheckCardReady(h.ctx, 3), CardReadiness::ReadNow);
    EXPECT_EQ(info(3).OutputMedium.str().trimmed(), QStringLiteral("LCD-Anzeige/Drucker"));
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(CardReadyCheckTest, RequestIccFailingWithTransmissionErrorMeansDisplayOutput) {
    load("output_display_error.scn");
    EXPECT_EQ(CheckCardReady(h.ctx, 3), CardReadiness::InsertCard);
    EXPECT_EQ(info(3).OutputMedium.str().trimmed(), QStringLiteral("LCD-Anzeige/Drucker"));
    EXPECT_EQ(h.apduLog(), QStringList({"init 3", kRequestIcc, kResetCt, kClose}));
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(CardReadyCheckTest, EmptyQ3HandheldSaysThatNoRecordsAreStored) {
    load("handheld_empty.scn");
    info(1).IsMobile = true;
    info(1).CtType = QStringLiteral("QMT3");
    EXPECT_EQ(CheckCardReady(h.ctx, 1), CardReadiness::ReadNow);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsErrorBox(h.boxes.shown[0], QStringLiteral(" Es sind keine Datensätze gespeichert! \r\n")));
    EXPECT_EQ(h.apduLog(), QStringList({"init 1", kRequestIcc, kResetCt, kClose}));
}

TEST_F(CardReadyCheckTest, NoCardAsksForOne) {
    load("insert_card_later.scn");
    EXPECT_EQ(CheckCardReady(h.ctx, 3), CardReadiness::InsertCard);
    EXPECT_EQ(h.apduLog(), QStringList({"init 3", kRequestIcc, kSelectKvk, kResetCt, kClose}));
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_FALSE(info(3).IsLocked);
}

TEST_F(CardReadyCheckTest, KeyCardLockIsRememberedForTheSlot) {
    load("handheld_keycard.scn");
    EXPECT_EQ(CheckCardReady(h.ctx, 1), CardReadiness::InsertCard);
    EXPECT_TRUE(info(1).IsLocked);
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(CardReadyCheckTest, RefusedCommandExplainsMenuOrLock) {
    struct Case {
        const char* scenario;
        uint16_t pn;
        bool mobile;
        const char* text;
    };
    const Case cases[] = {
        Case("stationary_menu_active.scn", 3, false,
             " Bitte Chipkartenterminal überprüfen! \r\n Sind die Chipkartenterminal Menü-Einstellungen "
             "aktiviert? \r\n "
             "Wenn ja, Chipkartenterminal auf die Standardanzeige stellen."),
        Case(
            "handheld_locked.scn", 1, true,
            " Bitte Chipkartenterminal überprüfen! \r\n Ist das mobile Chipkartenterminal zugeschlossen?\r\n "
            "Wenn ja, "
            "Chipkartenterminal aufschließen."),
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadFile(QStringLiteral("kvk/") + QLatin1String(c.scenario)));
        fresh.state.tables.terminal[c.pn].IsMobile = c.mobile;
        EXPECT_EQ(CheckCardReady(fresh.ctx, c.pn), CardReadiness::ReadNow) << c.scenario;
        ASSERT_EQ(fresh.boxes.shown.size(), 1u);
        EXPECT_TRUE(IsErrorBox(fresh.boxes.shown[0], QString::fromUtf8(c.text))) << c.scenario;
        EXPECT_FALSE(fresh.session.SessionOpen());
    }
}

TEST_F(CardReadyCheckTest, TerminalSwitchedOffAfterTheScan) {
    load("switched_off.scn");
    ASSERT_EQ(h.session.OpenTerminal(3), 0);      // the scan found it
    static_cast<void>(h.session.CloseTerminal()); // only the next opening matters
    info(3).Responding = true;
    h.clearLog();
    EXPECT_EQ(CheckCardReady(h.ctx, 3), CardReadiness::InsertCard);
    EXPECT_EQ(h.apduLog(), QStringList({"init 3"}));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsErrorBox(h.boxes.shown[0],
                           QStringLiteral(" Bitte Chipkartenterminal überprüfen! \r\n Ist das Terminal "
                                          "eingeschaltet?! \r\n Ist die KeyCard nicht mehr aktiv?! ")));
}

TEST_F(CardReadyCheckTest, PortWithoutTerminalFoundByTheScanStaysQuiet) {
    load("switched_off.scn");
    EXPECT_EQ(CheckCardReady(h.ctx, 4), CardReadiness::InsertCard);
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(CardReadyCheckTest, ASessionLeftOpenIsClosedFirst) {
    load("stationary_template_6081.scn");
    ASSERT_EQ(h.session.OpenTerminal(3), 0);
    EXPECT_EQ(CheckCardReady(h.ctx, 3), CardReadiness::ReadNow);
    EXPECT_EQ(h.apduLog().mid(0, 4), QStringList({"init 3", kResetCt, kClose, "init 3"}));
}

TEST_F(CardReadyCheckTest, OtherStatusWordsAskForACard) {
    ASSERT_TRUE(h.loadText(QStringLiteral("[terminal desk]\nports = 3\noverride 201201 = 6F00\n")));
    EXPECT_EQ(CheckCardReady(h.ctx, 3), CardReadiness::InsertCard);
    EXPECT_EQ(h.apduLog(), QStringList({"init 3", kRequestIcc, kResetCt, kClose}));
}

TEST_F(CardReadyCheckTest, EgkCardIsReadAtOnce) {
    ASSERT_TRUE(h.loadText(QStringLiteral("[terminal desk]\nports = 8192\ncard = egk\n")));
    EXPECT_EQ(CheckCardReady(h.ctx, 8192), CardReadiness::ReadNow);
}

} // namespace
} // namespace kc
