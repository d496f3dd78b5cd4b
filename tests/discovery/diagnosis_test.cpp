#include "discovery/diagnosis.h"
#include "discovery/diagnosis_texts.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::ScriptedSerialLine;
using test::SerialDevice;
using test::SimHarness;

// The texts themselves are read in the console test; here their order and which advice follows which No.
const QString& Question(int step) {
    return Diagnosis().steps[std::size_t(step)].question;
}
const QString& Advice(int step) {
    return Diagnosis().steps[std::size_t(step)].advice;
}
const QString kPromptStart = QStringLiteral(
    " Bitte eine Krankenversichertenkarte in \r\n Kartenkontaktiereinheit 1 einführen. \r\n\r\n");
const QString kPromptEnd = QStringLiteral(" Das Chipkartenterminal verwendet die Schnittstelle: \r\n\r\n3) ");

void ExpectAdvice(const MessageRequest& box, int step) {
    EXPECT_TRUE(test::IsBox(box, Advice(step), kDiagnosisTitle, MsgButtons::Ok, MsgIcon::Critical));
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
    EXPECT_EQ(kDiagnosisTitle, " KartoCheck Diagnose ");
    for (int step = 0; step < 4; ++step)
        EXPECT_TRUE(test::IsBox(h.boxes.shown[std::size_t(step)], Question(step), kDiagnosisTitle,
                                MsgButtons::YesNo, MsgIcon::Question));
    EXPECT_TRUE(test::IsBox(h.boxes.shown[4], "Es ist keine weitere Fehlerquelle bekannt.\r\n",
                            kDiagnosisTitle, MsgButtons::Ok, MsgIcon::Exclamation));
    EXPECT_TRUE(h.apduLog().isEmpty() && line.log.isEmpty());
    EXPECT_EQ(h.state.ui.visibleFrame, 2);
    EXPECT_EQ(h.status.statuses.last(), "Der MKT Status wird angezeigt");
}

TEST_F(Diagnosis, NoToTheCableQuestionGivesItsAdviceOnly) {
    h.boxes.script({MsgAnswer::No});
    run();
    ASSERT_EQ(h.boxes.shown.size(), 2u);
    ExpectAdvice(h.boxes.shown[1], 0);
    EXPECT_TRUE(h.apduLog().isEmpty() && selected.empty());
    EXPECT_EQ(h.status.statuses, QStringList({"Der MKT Status wird angezeigt"}));
}

class DiagnosisAdvice : public Diagnosis, public ::testing::WithParamInterface<int> {};

// The No at step 1 to 3 (power, output format, line speed).
TEST_P(DiagnosisAdvice, LaterCausesRetestThePort) {
    const int noAt = GetParam();
    for (int i = 0; i < noAt; ++i)
        h.boxes.script({MsgAnswer::Yes});
    h.boxes.script({MsgAnswer::No});
    run();
    ASSERT_EQ(h.boxes.shown.size(), std::size_t(noAt + 2));
    ExpectAdvice(h.boxes.shown.back(), noAt);
    // The re-test opened the port again; no terminal answers, so no card is asked for.
    EXPECT_EQ(h.apduLog(), QStringList({"init 3"}));
    EXPECT_EQ(h.state.tables.port[3].PortResult, -10);
    EXPECT_EQ(selected, std::vector<int>({2}));
    EXPECT_EQ(h.state.ui.visibleFrame, 2);
    EXPECT_EQ(h.status.progress, std::vector<int>({25, 50, 0}));
    EXPECT_EQ(h.status.busyChanges, std::vector<bool>({true, false}));
}

INSTANTIATE_TEST_SUITE_P(Causes, DiagnosisAdvice, ::testing::Values(1, 2, 3));

TEST_F(Diagnosis, RetestFindsTheTerminalNowAndAsksForACard) {
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n[terminal t]\nports = 3\n"));
    // Yes to the cable, No to the power; OK in the prompt, then No to trying again.
    h.boxes.script({MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Ok, MsgAnswer::No});
    run();
    ASSERT_GE(h.boxes.shown.size(), 4u);
    ExpectAdvice(h.boxes.shown[2], 1);
    EXPECT_TRUE(test::IsBox(h.boxes.shown[3], kPromptStart + kPromptEnd, kBoxTitle, MsgButtons::OkCancel,
                            MsgIcon::Exclamation));
    // OK: the card is read (no card there, so the read driver asks and is told No).
    EXPECT_TRUE(h.commands().contains("201201000101"));
    EXPECT_TRUE(h.status.statuses.contains("Die Krankenversichertendaten werden gelesen"));
    EXPECT_EQ(h.status.statuses.first(), "Programm prüft die serielle Schnittstelle COM 3");
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
    ExpectAdvice(h.boxes.shown[3], 2);
    const MessageRequest& prompt = h.boxes.shown[4];
    EXPECT_TRUE(prompt.text.startsWith(kPromptStart + " Ist am VEX Handy K7 der PC-Mode auf \r\n"));
    EXPECT_TRUE(prompt.text.endsWith(kPromptEnd));
    EXPECT_TRUE(prompt.secondButtonDefault);
    EXPECT_FALSE(h.status.statuses.contains("Die Krankenversichertendaten werden gelesen"));
    EXPECT_EQ(h.status.statuses.filter("Die Krankenversichertendaten werden angezeigt").size(), 1);
    EXPECT_FALSE(h.commands().contains("00B0000000"));
}

TEST_F(Diagnosis, RetestOfAFurtherPortNamesItAsTheListDoes) {
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n"));
    RetestPort(h.ctx, line, 8193, [this](int option) { selected.push_back(option); });
    EXPECT_EQ(h.status.statuses.first(), "Programm prüft USB Device 2 (pn=8193  )");
    EXPECT_EQ(selected, std::vector<int>({4}));
}

} // namespace
} // namespace kc
