#include "discovery/diagnosis.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::ScriptedSerialLine;
using test::SerialDevice;
using test::SimHarness;

const QString kTitle = QStringLiteral(" KartoCheck Diagnose ");

const QString kQ1 = QStringLiteral(
    "Haben Sie das Zavia Chipkartenterminal mit dem \r\nAnschlußkabel für die serielle Schnittstelle RS 232 "
    "\r\n"
    "(KBV Spezifikation beachten) ohne weitere Verlängerungskabel \r\nund Adapter mit Ihrem PC verbunden? ");
const QString kA1 = QStringLiteral(
    "Schalten Sie bitte Ihren PC aus und schließen Sie \r\ndas Zavia Chipkartenterminal nur über das KBV "
    "konforme "
    "\r\nKommunikationskabel an den PC an. Beachten Sie dazu \r\nunbedingt die Dokumentation Ihres "
    "Systemlieferanten und \r\nPC-Herstellers. ");
const QString kQ2 = QStringLiteral(
    "Haben Sie das Zavia Chipkartenterminal mit dem \r\nmitgelieferten Steckernetzteil an die Netzdose \r\n"
    "angeschlossen bzw. haben Sie den Handy-Kartenleser \r\neingeschaltet? ");
const QString kA2 = QStringLiteral("Schließen Sie das Zavia Chipkartenterminal mit dem \r\nmitgelieferten "
                                   "Steckernetzteil an die Netzsteckdose an "
                                   "\r\nbzw. schalten Sie den Handy-Kartenleser ein. ");
const QString kQ3 = QStringLiteral(
    "Haben Sie am Zavia Chipkartenterminal das Ausgabeformat auf\r\nPC-ASN.1 bzw. PC-Festformat gestellt? ");
const QString kA3 = QStringLiteral(
    "Damit Kartendaten vom Rechner (PC) gelesen werden können, \r\nist der Chipkartenleser auf das "
    "entsprechende "
    "Ausgabemedium \r\nPC-ASN.1 bzw. PC-Festformat einzustellen. Stellen Sie jetzt \r\ndas entsprechende "
    "Anzeigeformat ein. \r\nHauptmenü/Unterpunkt \\4 Ausgabemedium");
const QString kQ4 = QStringLiteral(
    "Haben Sie am Zavia Chipkartenterminal die richtige \r\nBaudrate (9600,e,8,1) eingestellt? ");
const QString kA4 = QStringLiteral(
    "Stellen Sie jetzt am Zavia Chipkartenterminal die richtige \r\nBaudrate (9600,e,8,1) ein. \r\n\r\n"
    "Hauptmenü/Unterpunkt \\964 Service\\Konfiguration\\Baudrate SIO-0.\r\n9600,e,8,1 einstellen.");
const QString kNothingElse = QStringLiteral("Es ist keine weitere Fehlerquelle bekannt.\r\n");
const QString kPromptStart = QStringLiteral(
    " Bitte eine Krankenversichertenkarte in \r\n Kartenkontaktiereinheit 1 einführen. \r\n\r\n");
const QString kPromptEnd = QStringLiteral(" Das Chipkartenterminal verwendet die Schnittstelle: \r\n\r\n3) ");

void ExpectQuestion(const MessageRequest& box, const QString& text) {
    EXPECT_TRUE(test::IsBox(box, text, kTitle, MsgButtons::YesNo, MsgIcon::Question));
}

void ExpectAdvice(const MessageRequest& box, const QString& text) {
    EXPECT_TRUE(test::IsBox(box, text, kTitle, MsgButtons::Ok, MsgIcon::Critical));
}

class Diagnosis : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n")) << qPrintable(h.loadError());
        line.devices[3] = SerialDevice{};
    }
    void run() {
        RunDiagnosis(h.ctx, line, 3, [this](int option) { selected.push_back(option); });
    }

    SimHarness h;
    ScriptedSerialLine line;
    std::vector<int> selected;
};

TEST_F(Diagnosis, AllYesEndsWithNothingElseKnown) {
    h.boxes.script({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes});
    run();
    ASSERT_EQ(h.boxes.shown.size(), 5u);
    ExpectQuestion(h.boxes.shown[0], kQ1);
    ExpectQuestion(h.boxes.shown[1], kQ2);
    ExpectQuestion(h.boxes.shown[2], kQ3);
    ExpectQuestion(h.boxes.shown[3], kQ4);
    EXPECT_TRUE(test::IsBox(h.boxes.shown[4], kNothingElse, kTitle, MsgButtons::Ok, MsgIcon::Exclamation));
    EXPECT_TRUE(h.apduLog().isEmpty());
    EXPECT_TRUE(line.log.isEmpty());
    EXPECT_EQ(h.state.ui.visibleFrame, 2);
    EXPECT_EQ(h.status.statuses.last(), "Der MKT Status wird angezeigt");
}

TEST_F(Diagnosis, NoToTheCableQuestionGivesItsAdviceOnly) {
    h.boxes.script({MsgAnswer::No});
    run();
    ASSERT_EQ(h.boxes.shown.size(), 2u);
    ExpectAdvice(h.boxes.shown[1], kA1);
    EXPECT_TRUE(h.apduLog().isEmpty());
    EXPECT_TRUE(selected.empty());
    EXPECT_EQ(h.state.ui.visibleFrame, 2);
    EXPECT_EQ(h.status.statuses, QStringList({"Der MKT Status wird angezeigt"}));
}

struct AdviceRow {
    int noAt;
    const QString* advice;
};

class DiagnosisAdvice : public Diagnosis, public ::testing::WithParamInterface<AdviceRow> {};

TEST_P(DiagnosisAdvice, LaterCausesRetestThePort) {
    const AdviceRow row = GetParam();
    for (int i = 0; i < row.noAt; ++i)
        h.boxes.script({MsgAnswer::Yes});
    h.boxes.script({MsgAnswer::No});
    run();
    ASSERT_EQ(h.boxes.shown.size(), std::size_t(row.noAt + 2));
    ExpectAdvice(h.boxes.shown.back(), *row.advice);
    // The re-test opened the port again; no terminal answers, so no card is asked for.
    EXPECT_EQ(h.apduLog(), QStringList({"init 3"}));
    EXPECT_EQ(h.state.tables.port[3].PortResult, -10);
    EXPECT_EQ(selected, std::vector<int>({2}));
    EXPECT_EQ(h.state.ui.visibleFrame, 2);
    EXPECT_EQ(h.status.statuses.first(), "Programm prüft die serielle Schnittstelle COM 3");
    EXPECT_EQ(h.status.progress, std::vector<int>({25, 50, 0}));
    EXPECT_EQ(h.status.busyChanges, std::vector<bool>({true, false}));
}

INSTANTIATE_TEST_SUITE_P(Causes, DiagnosisAdvice,
                         ::testing::Values(AdviceRow{1, &kA2}, AdviceRow{2, &kA3}, AdviceRow{3, &kA4}));

TEST_F(Diagnosis, RetestFindsTheTerminalNowAndAsksForACard) {
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n[terminal t]\nports = 3\n"));
    // Yes to the cable, No to the power; OK in the prompt, then No to trying again.
    h.boxes.script({MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Ok, MsgAnswer::No});
    run();
    ASSERT_GE(h.boxes.shown.size(), 4u);
    ExpectAdvice(h.boxes.shown[2], kA2);
    EXPECT_TRUE(test::IsBox(h.boxes.shown[3], kPromptStart + kPromptEnd, kBoxTitle, MsgButtons::OkCancel,
                            MsgIcon::Exclamation));
    // OK: the card is read (no card there, so the read driver asks and is told No).
    EXPECT_TRUE(h.commands().contains("201201000101"));
    EXPECT_TRUE(h.status.statuses.contains("Die Krankenversichertendaten werden gelesen"));
    EXPECT_EQ(h.status.statuses.last(), "Der MKT Status wird angezeigt");
    EXPECT_EQ(selected, std::vector<int>({2}));
    EXPECT_FALSE(h.session.SessionOpen());
}

TEST_F(Diagnosis, CancelInTheRetestPromptReadsNothing) {
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n[terminal t]\nports = 3\nkind = handheld\n"
                           "get-status-81 = 6D00\n"));
    h.boxes.script({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel});
    run();
    ASSERT_EQ(h.boxes.shown.size(), 5u);
    EXPECT_EQ(h.boxes.unscripted, 0);
    ExpectAdvice(h.boxes.shown[3], kA3);
    const MessageRequest& prompt = h.boxes.shown[4];
    EXPECT_TRUE(prompt.text.startsWith(kPromptStart + " Ist am VEX Handy K7 der PC-Mode auf \r\n"));
    EXPECT_TRUE(prompt.text.endsWith(kPromptEnd));
    EXPECT_TRUE(prompt.secondButtonDefault);
    EXPECT_FALSE(h.status.statuses.contains("Die Krankenversichertendaten werden gelesen"));
    EXPECT_EQ(h.status.statuses.filter("Die Krankenversichertendaten werden angezeigt").size(), 1);
    EXPECT_FALSE(h.commands().contains("00B0000000"));
    EXPECT_EQ(h.state.ui.visibleFrame, 2);
}

TEST_F(Diagnosis, RetestOfAFurtherPortNamesItAsTheListDoes) {
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n"));
    RetestPort(h.ctx, line, 8193, [this](int option) { selected.push_back(option); });
    EXPECT_EQ(h.status.statuses.first(), "Programm prüft USB Device 2 (pn=8193  )");
    EXPECT_EQ(h.state.tables.port[5].PortResult, -10);
    EXPECT_EQ(selected, std::vector<int>({4}));
}

} // namespace
} // namespace kc
