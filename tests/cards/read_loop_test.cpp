#include "card_test_support.h"
#include "cards/read_loop.h"
#include "sim_harness.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::IsBox;

const QString kStationaryPrompt = QStringLiteral(
    " Bitte eine Krankenversichertenkarte in \r\n Kartenkontaktiereinheit 1 einführen. \r\n\r\n Das "
    "Chipkartenterminal verwendet die Schnittstelle: \r\n\r\n");
const QString kMobilePrompt = QStringLiteral(
    " Bitte eine Krankenversichertenkarte in \r\n Kartenkontaktiereinheit 1 einführen. \r\n\r\n Ist am VEX "
    "Handy K7 "
    "der PC-Mode auf \r\n Handy lesen eingestellt oder am Serie Q4 Gerät \r\n die Betriebsart Mobil PC bzw. "
    "Mob. "
    "PC+Weiche oder \r\n am Serie Q3 Gerät die Betriebsart Mobil eingestellt, \r\n so wird der gelesene "
    "Datensatz "
    "durch \r\n diese Testsoftware automatisch gelöscht! \r\n\r\n Das Chipkartenterminal verwendet die "
    "Schnittstelle: \r\n\r\n");
const QString kReading = QStringLiteral("Die Krankenversichertendaten lesen");
const QString kBeingRead = QStringLiteral("Die Krankenversichertendaten werden gelesen");
const QString kShown = QStringLiteral("Die Krankenversichertendaten werden angezeigt");

TEST(InterfaceTextTest, NamesThePortAsThePromptShowsIt) {
    EXPECT_EQ(InterfaceTextOfPort(1), QStringLiteral(" COM  1"));
    EXPECT_EQ(InterfaceTextOfPort(256), QStringLiteral(" COM  256"));
    EXPECT_EQ(InterfaceTextOfPort(8192), QStringLiteral(" USB Device 1 (CTAPI pn=8192)"));
    EXPECT_EQ(InterfaceTextOfPort(8447), QStringLiteral(" USB Device 256 (CTAPI pn=8447)"));
    EXPECT_EQ(InterfaceTextOfPort(257), QStringLiteral(" ?  (CTAPI pn=257)"));
    EXPECT_EQ(InterfaceTextOfPort(8448), QStringLiteral(" ?  (CTAPI pn=8448)"));
}

TEST(InsertCardPromptTest, OkCancelWithCancelAsDefault) {
    test::ScriptedMessageBoxes boxes;
    boxes.script({MsgAnswer::Ok});
    EXPECT_EQ(ShowInsertCardPrompt(boxes, false, QStringLiteral(" COM  3")), MsgAnswer::Ok);
    EXPECT_EQ(ShowInsertCardPrompt(boxes, true, QStringLiteral("1) ")), MsgAnswer::Cancel);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(IsBox(boxes.shown[0], kStationaryPrompt + QStringLiteral(" COM  3"),
                      QStringLiteral(" KartoCheck "), MsgButtons::OkCancel, MsgIcon::Exclamation, true));
    EXPECT_TRUE(IsBox(boxes.shown[1], kMobilePrompt + QStringLiteral("1) "), QStringLiteral(" KartoCheck "),
                      MsgButtons::OkCancel, MsgIcon::Exclamation, true));
}

class ReadLoopTest : public ::testing::Test {
  protected:
    void load(const char* scenario) {
        ASSERT_TRUE(h.loadFile(QStringLiteral("kvk/") + QLatin1String(scenario)))
            << qPrintable(h.loadError());
    }
    test::SimHarness h;
    int prompts = 0;
    std::function<void()> countPrompts = [this] { ++prompts; };
};

TEST_F(ReadLoopTest, CardAlreadyThereIsReadWithoutAPrompt) {
    load("stationary_template_6081.scn");
    h.state.tables.port[3].InterfaceText = QStringLiteral("COM 3");
    EXPECT_EQ(RunReadLoop(h.ctx, 3, 3, InterfaceTextOfPort(3), countPrompts), ReadResult::Done);
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(h.status.statuses, QStringList({kReading, kBeingRead, kShown}));
    EXPECT_TRUE(h.state.tables.terminal[3].HasCardData);
    // The status page of the slot shows what the read found out.
    EXPECT_EQ(h.state.ui.statusPages[3].values[0], QStringLiteral("COM 3").leftJustified(60));
    EXPECT_EQ(h.state.ui.statusPages[3].values[6].trimmed(), QStringLiteral("PC (ASN-1)"));
}

TEST_F(ReadLoopTest, PromptThenReadWhenTheCardIsInsertedLater) {
    load("insert_card_later.scn");
    h.boxes.script({MsgAnswer::Ok});
    EXPECT_EQ(RunReadLoop(h.ctx, 3, 3, InterfaceTextOfPort(3)), ReadResult::Done);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].text, kStationaryPrompt + QStringLiteral(" COM  3"));
    EXPECT_EQ(h.state.tables.insured[3][Familienname], QStringLiteral("Apfel"));
}

TEST_F(ReadLoopTest, CancelEndsWithoutReading) {
    load("insert_card_later.scn");
    h.boxes.script({MsgAnswer::Cancel});
    EXPECT_EQ(RunReadLoop(h.ctx, 3, 3, InterfaceTextOfPort(3), countPrompts), ReadResult::Failed);
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(h.status.statuses, QStringList({kReading}));
    EXPECT_FALSE(h.apduLog().contains(QStringLiteral("00B0000000")));
}

TEST_F(ReadLoopTest, TryAgainRunsTheCheckAndTheReadOnceMore) {
    load("no_card_then_card.scn");
    // Prompt OK, "no card" -> try again (Yes); the card is then there without a prompt.
    h.boxes.script({MsgAnswer::Ok, MsgAnswer::Yes});
    EXPECT_EQ(RunReadLoop(h.ctx, 3, 3, InterfaceTextOfPort(3), countPrompts), ReadResult::Done);
    EXPECT_EQ(prompts, 2);
    ASSERT_EQ(h.boxes.shown.size(), 2u);
    EXPECT_EQ(h.boxes.shown[1].text,
              QStringLiteral(" Keine Chipkarte gefunden! \r\n Noch einmal versuchen? "));
    EXPECT_EQ(h.status.statuses, QStringList({kReading, kBeingRead, kShown, kReading, kBeingRead, kShown}));
    EXPECT_TRUE(h.state.tables.terminal[3].HasCardData);
}

TEST_F(ReadLoopTest, NoToTryAgainEndsTheLoopWithTheFailure) {
    load("no_card_then_card.scn");
    h.boxes.script({MsgAnswer::Ok, MsgAnswer::No});
    EXPECT_EQ(RunReadLoop(h.ctx, 3, 3, InterfaceTextOfPort(3)), ReadResult::Failed);
    EXPECT_EQ(h.boxes.shown.size(), 2u);
    EXPECT_FALSE(h.state.tables.terminal[3].HasCardData);
}

TEST_F(ReadLoopTest, HandheldPromptWarnsAboutErasing) {
    load("handheld_keycard.scn");
    h.state.tables.terminal[1].IsMobile = true;
    h.boxes.script({MsgAnswer::Cancel});
    EXPECT_EQ(RunReadLoop(h.ctx, 1, 1, QStringLiteral("1) ")), ReadResult::Failed);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].text, kMobilePrompt + QStringLiteral("1) "));
}

TEST_F(ReadLoopTest, HandheldKeyCardLockIsNamedAfterThePrompt) {
    load("handheld_keycard.scn");
    h.boxes.script({MsgAnswer::Ok, MsgAnswer::No});
    EXPECT_EQ(RunReadLoop(h.ctx, 1, 1, InterfaceTextOfPort(1)), ReadResult::Failed);
    ASSERT_EQ(h.boxes.shown.size(), 2u);
    EXPECT_EQ(h.boxes.shown[1].text, QStringLiteral(" Keine Datensätze/KeyCard gefunden! \r\n Gerät ist "
                                                    "zugeschlossen!\r\n\r\n Noch einmal versuchen? "));
}

} // namespace
} // namespace kc
