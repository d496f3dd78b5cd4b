// SPDX-License-Identifier: Apache-2.0
#include "discovery/diagnosis.h"
#include "discovery/diagnosis_texts.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::ScriptedSerialLine;
using test::SimHarness;

// The texts themselves are read in the console test; here their order and which advice follows which No.
const auto& Step(int step) {
    return Diagnosis().steps[std::size_t(step)];
}

class Diagnosis : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n")) << qPrintable(h.loadError());
        line.devices[3] = {};
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
    QStringList asked;
    for (int step = 0; step < 4; ++step)
        asked << test::Box(Step(step).question, MsgButtons::YesNo, MsgIcon::Question, false, kDiagnosisTitle);
    asked << test::Box("Es ist keine weitere Fehlerquelle bekannt.\r\n", MsgButtons::Ok, MsgIcon::Exclamation,
                       false, kDiagnosisTitle);
    EXPECT_EQ(test::Shown(h.boxes.shown), asked);
    EXPECT_TRUE(h.apduLog().isEmpty() && line.log.isEmpty());
    EXPECT_EQ(h.state.ui.visibleFrame, 2);
    EXPECT_EQ(h.status.statuses.last(), "Der MKT Status wird angezeigt");
}

class DiagnosisAdvice : public Diagnosis, public ::testing::WithParamInterface<int> {};

// The No at step 0 to 3 (cable, power, output format, line speed); all but the cable retest the port.
TEST_P(DiagnosisAdvice, NoGivesTheAdviceOfItsStep) {
    const int noAt = GetParam();
    for (int i = 0; i < noAt; ++i)
        h.boxes.script({MsgAnswer::Yes});
    h.boxes.script({MsgAnswer::No});
    h.state.ui.options[2].checked = true;
    run();
    ASSERT_EQ(h.boxes.shown.size(), std::size_t(noAt + 2));
    EXPECT_EQ(test::Shown(h.boxes.shown).last(),
              test::Box(Step(noAt).advice, MsgButtons::Ok, MsgIcon::Critical, false, kDiagnosisTitle));
    // The re-test opened the port again; no terminal answers, so no card is asked for.
    EXPECT_EQ(h.apduLog(), noAt ? QStringList({"init 3"}) : QStringList());
    EXPECT_EQ(selected, noAt ? std::vector<int>({2}) : std::vector<int>());
    EXPECT_EQ(h.state.ui.options[2].checked, noAt == 0); // the retested port's option is left unchosen
    EXPECT_EQ(h.status.progress, noAt ? std::vector<int>({25, 50, 0}) : std::vector<int>());
    EXPECT_EQ(h.status.busyChanges, noAt ? std::vector<bool>({true, false}) : std::vector<bool>());
}

INSTANTIATE_TEST_SUITE_P(Causes, DiagnosisAdvice, ::testing::Values(0, 1, 2, 3));

TEST_F(Diagnosis, CancelInTheRetestPromptReadsNothing) {
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n[terminal t]\nports = 3\nkind = handheld\n"
                           "get-status-81 = 6D00\n"));
    h.boxes.script({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel});
    run();
    ASSERT_EQ(h.boxes.shown.size(), 5u);
    const MessageRequest& prompt = h.boxes.shown[4];
    EXPECT_TRUE(
        prompt.text.startsWith(" Bitte eine Krankenversichertenkarte in \r\n Kartenkontaktiereinheit 1 "
                               "einführen. \r\n\r\n Ist am VEX Handy K7 der PC-Mode auf \r\n"));
    EXPECT_TRUE(prompt.text.endsWith(" Das Chipkartenterminal verwendet die Schnittstelle: \r\n\r\n3) "));
    EXPECT_TRUE(prompt.buttons == MsgButtons::OkCancel && prompt.secondButtonDefault);
    EXPECT_FALSE(h.status.statuses.contains("Die Krankenversichertendaten werden gelesen"));
}

// A desk terminal keeps no record, so the card prompt's default is OK (answered here by Enter).
TEST_F(Diagnosis, RetestOfADeskTerminalReadsTheCardOnEnter) {
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n[terminal t]\nports = 3\ncard.arrives-after = 1\n"
                           "card = kvk\ncard.record = @cards/kvk_tk_apfel.hex\n"));
    h.boxes.script({MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::No});
    run();
    ASSERT_GE(h.boxes.shown.size(), 5u);
    EXPECT_FALSE(h.boxes.shown[4].secondButtonDefault);
    EXPECT_FALSE(h.state.tables.insured[3][Familienname].isEmpty());
}

TEST_F(Diagnosis, RetestOfAPortInUseGreysItsOption) {
    line.devices[3].openError = kSerialPortOpen;
    RetestPort(h.ctx, line, 3, [](int) {});
    EXPECT_FALSE(h.state.ui.options[2].enabled);
}

TEST_F(Diagnosis, RetestOfAFurtherPortNamesItAsTheListDoes) {
    RetestPort(h.ctx, line, 8193, [this](int option) { selected.push_back(option); });
    EXPECT_EQ(h.status.statuses.first(), "Programm prüft USB Device 2 (pn=8193  )");
    EXPECT_EQ(selected, std::vector<int>({4}));
}

} // namespace
} // namespace kc
