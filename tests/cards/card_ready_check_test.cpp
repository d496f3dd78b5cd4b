#include "card_test_support.h"
#include "cards/card_ready_check.h"

#include <functional>
#include <gtest/gtest.h>

namespace kc {
namespace {

using test::Stop;

const QString kResetCt = QStringLiteral("2011000000");
const QString kRequestIcc = QStringLiteral("201201000101");
const QString kSelectKvk = QStringLiteral("00A4040006D27600000101");
const QString kClose = QStringLiteral("close");
const QString kCheck = QStringLiteral(" Bitte Chipkartenterminal überprüfen! \r\n ");

QStringList Log(uint16_t pn, const QStringList& commands) {
    return QStringList{QStringLiteral("init %1").arg(pn)} + commands + QStringList{kResetCt, kClose};
}

TEST(CardReadyCheckTest, ReadinessCommandsAndMessagesPerSituation) {
    const auto mobile = [](test::SimHarness& h) {
        h.state.tables.terminal[1].IsMobile = true;
        h.state.tables.terminal[1].CtType = QStringLiteral("QMT3");
    };
    struct Case {
        QString scenario; // a file under kvk/ or the scenario's text
        uint16_t pn;
        CardReadiness readiness;
        QStringList log; // empty: not compared
        QStringList boxes;
        const char* medium = "";
        std::function<void(test::SimHarness&)> prepare = {};
    };
    const Case cases[] = {
        Case("stationary_template_6081.scn", 3, CardReadiness::ReadNow, Log(3, {kRequestIcc, kSelectKvk}),
             {}),
        // The display output is recorded from the refused SELECT or a failing REQUEST ICC.
        Case("output_display.scn", 3, CardReadiness::ReadNow, {}, {}, "LCD-Anzeige/Drucker"),
        Case("output_display_error.scn", 3, CardReadiness::InsertCard, Log(3, {kRequestIcc}), {},
             "LCD-Anzeige/Drucker"),
        Case("handheld_empty.scn", 1, CardReadiness::ReadNow, Log(1, {kRequestIcc}),
             {Stop(QStringLiteral(" Es sind keine Datensätze gespeichert! \r\n"))}, "", mobile),
        Case("insert_card_later.scn", 3, CardReadiness::InsertCard, Log(3, {kRequestIcc, kSelectKvk}), {}),
        Case("stationary_menu_active.scn", 3, CardReadiness::ReadNow, {},
             {Stop(kCheck +
                   QStringLiteral("Sind die Chipkartenterminal Menü-Einstellungen aktiviert? \r\n Wenn ja, "
                                  "Chipkartenterminal auf die Standardanzeige stellen."))}),
        Case("handheld_locked.scn", 1, CardReadiness::ReadNow, {},
             {Stop(kCheck + QStringLiteral("Ist das mobile Chipkartenterminal zugeschlossen?\r\n Wenn ja, "
                                           "Chipkartenterminal aufschließen."))},
             "", mobile),
        Case(
            "switched_off.scn", 3, CardReadiness::InsertCard, {QStringLiteral("init 3")},
            {Stop(kCheck + QStringLiteral(
                               "Ist das Terminal eingeschaltet?! \r\n Ist die KeyCard nicht mehr aktiv?! "))},
            "",
            [](test::SimHarness& h) {
                ASSERT_EQ(h.session.OpenTerminal(3), 0);      // the scan found it
                static_cast<void>(h.session.CloseTerminal()); // only the next opening matters
                h.state.tables.terminal[3].Responding = true;
                h.clearLog();
            }),
        // A port without a terminal found by the scan stays quiet.
        Case("switched_off.scn", 4, CardReadiness::InsertCard, {}, {}),
        // A session left open is closed first.
        Case("stationary_template_6081.scn", 3, CardReadiness::ReadNow,
             {QStringLiteral("init 3"), kResetCt, kClose, QStringLiteral("init 3"), kRequestIcc, kSelectKvk,
              kResetCt, kClose},
             {}, "", [](test::SimHarness& h) { ASSERT_EQ(h.session.OpenTerminal(3), 0); }),
        Case("[terminal desk]\nports = 3\noverride 201201 = 6F00\n", 3, CardReadiness::InsertCard,
             Log(3, {kRequestIcc}), {}),
        Case("[terminal desk]\nports = 8192\ncard = egk\n", 8192, CardReadiness::ReadNow, {}, {}),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario.toStdString() + " on " + std::to_string(c.pn));
        const auto h = test::Harness(
            c.scenario.endsWith(QLatin1String(".scn")) ? QStringLiteral("kvk/") + c.scenario : c.scenario);
        if (c.prepare)
            c.prepare(*h);
        EXPECT_EQ(CheckCardReady(h->ctx, c.pn), c.readiness);
        if (!c.log.isEmpty()) {
            EXPECT_EQ(h->apduLog(), c.log);
        }
        EXPECT_EQ(test::Shown(h->boxes.shown), c.boxes);
        EXPECT_FALSE(h->session.SessionOpen());
        const int slot = c.pn == 8192 ? 5 : c.pn;
        EXPECT_EQ(h->state.tables.terminal[slot].OutputMedium.str().trimmed(), QString::fromUtf8(c.medium));
        EXPECT_FALSE(h->state.tables.terminal[slot].IsLocked);
    }
}

TEST(CardReadyCheckTest, KeyCardLockIsRememberedForTheSlot) {
    const auto h = test::Harness(QStringLiteral("kvk/handheld_keycard.scn"));
    EXPECT_EQ(CheckCardReady(h->ctx, 1), CardReadiness::InsertCard);
    EXPECT_TRUE(h->state.tables.terminal[1].IsLocked);
    EXPECT_TRUE(h->boxes.shown.empty());
}

} // namespace
} // namespace kc
