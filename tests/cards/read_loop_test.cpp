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

TEST(ReadLoopTest, PromptsStatusesAndRetries) {
    const QString again = QStringLiteral(" Keine Chipkarte gefunden! \r\n Noch einmal versuchen? ");
    const QStringList once{kReading, kBeingRead, kShown};
    struct Case {
        const char* scenario;
        uint16_t pn;
        bool mobile;
        std::vector<MsgAnswer> answers;
        ReadResult result;
        int prompts; // the callback before each check
        QStringList statuses;
        QStringList boxes;
    };
    const Case cases[] = {
        Case("stationary_template_6081.scn", 3, false, {}, ReadResult::Done, 1, once, {}),
        Case("insert_card_later.scn", 3, false, {MsgAnswer::Ok}, ReadResult::Done, 1, once,
             {kStationaryPrompt + QStringLiteral(" COM  3")}),
        Case("insert_card_later.scn", 3, false, {MsgAnswer::Cancel}, ReadResult::Failed, 1, {kReading},
             {kStationaryPrompt + QStringLiteral(" COM  3")}),
        // "No card" -> try again: the card is then there without a prompt.
        Case("no_card_then_card.scn", 3, false, {MsgAnswer::Ok, MsgAnswer::Yes}, ReadResult::Done, 2,
             once + once, {kStationaryPrompt + QStringLiteral(" COM  3"), again}),
        Case("no_card_then_card.scn", 3, false, {MsgAnswer::Ok, MsgAnswer::No}, ReadResult::Failed, 1, once,
             {kStationaryPrompt + QStringLiteral(" COM  3"), again}),
        Case("handheld_keycard.scn", 1, true, {MsgAnswer::Cancel}, ReadResult::Failed, 1, {kReading},
             {kMobilePrompt + QStringLiteral(" COM  1")}),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.scenario) + " " + ::testing::PrintToString(c.answers));
        const auto h = test::Harness(QStringLiteral("kvk/") + QLatin1String(c.scenario));
        h->state.tables.terminal[c.pn].IsMobile = c.mobile;
        h->state.tables.port[3].InterfaceText = QStringLiteral("COM 3");
        for (const MsgAnswer answer : c.answers)
            h->boxes.script({answer});
        int prompts = 0;
        EXPECT_EQ(RunReadLoop(h->ctx, c.pn, c.pn, InterfaceTextOfPort(c.pn), [&prompts] { ++prompts; }),
                  c.result);
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(h->status.statuses, c.statuses);
        QStringList boxes;
        for (const MessageRequest& shown : h->boxes.shown)
            boxes.append(shown.text);
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(h->state.tables.terminal[c.pn].HasCardData, c.result == ReadResult::Done);
    }
}

TEST(ReadLoopTest, TheSlotsStatusPageShowsWhatTheReadFoundOut) {
    const auto h = test::Harness(QStringLiteral("kvk/insert_card_later.scn"));
    h->state.tables.port[3].InterfaceText = QStringLiteral("COM 3");
    h->boxes.script({MsgAnswer::Ok});
    EXPECT_EQ(RunReadLoop(h->ctx, 3, 3, InterfaceTextOfPort(3)), ReadResult::Done);
    EXPECT_EQ(h->state.tables.insured[3][Familienname], QStringLiteral("Apfel"));
    EXPECT_EQ(h->state.ui.statusPages[3].values[0], QStringLiteral("COM 3").leftJustified(60));
    EXPECT_EQ(h->state.ui.statusPages[3].values[6].trimmed(), QStringLiteral("PC (ASN-1)"));
}

} // namespace
} // namespace kc
