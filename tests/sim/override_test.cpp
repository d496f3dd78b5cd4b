#include "sim_test_helpers.h"

namespace kc::sim::test {
namespace {

Simulator egkWith(const std::string& overrides) {
    return load("[terminal t]\nports = 1\ncard = egk\n"
                "card.gdo = @cards/EGKG2_80276883110000017222__EF_GDO.hex\n"
                "card.vd = @cards/EGKG2_80276883110000017222__EF_VD.hex\n" +
                overrides);
}

TEST(Override, SequenceWhoseLastAnswerSticks) {
    Simulator simulator = egkWith("override 201201 = 6200, 9000\n");
    simulator.init(1, 1);
    for (int i = 0; i < 4; ++i)
        simulator.transmit(1, kTerminal, "201201000101");
    EXPECT_EQ(statusWords(simulator), (std::vector<std::string>{"6200", "9000", "9000", "9000"}));
}

TEST(Override, RepeatThenPassToTheNormalAnswer) {
    Simulator simulator = egkWith("override 201201 = 6200 x2, pass\n");
    simulator.init(1, 1);
    for (int i = 0; i < 4; ++i)
        simulator.transmit(1, kTerminal, "201201000101");
    EXPECT_EQ(statusWords(simulator), (std::vector<std::string>{"6200", "6200", "9001", "9001"}));
}

TEST(Override, LongestMatchingPrefixWins) {
    Simulator simulator = egkWith("override 00A4 = 6A82\noverride 00A4040C06D27600000102 = 6283\n");
    simulator.init(1, 1);
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040C06D27600000102").response, "6283");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4020C02D002").response, "6A82");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0820000").response, "5A0A80276883110000017222"
                                                                   "9000")
        << "commands without a matching prefix answer normally";
}

TEST(Override, FullResponseAndWhoAnswers) {
    Simulator simulator = egkWith("override 2013008100 = 81 01 01 90 00\n"
                                  "override 00A4040C06D27600000102 = ct:6985\n"
                                  "override 2013004600 = card:46 00 90 00\n");
    simulator.init(1, 1);
    const auto units = simulator.transmit(1, kTerminal, "2013008100");
    EXPECT_EQ(units.response, "8101019000");
    EXPECT_EQ(units.sad, 1);
    const auto select = simulator.transmit(1, kCard, "00A4040C06D27600000102");
    EXPECT_EQ(select.response, "6985");
    EXPECT_EQ(select.sad, 1);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2013004600").sad, 0);
}

TEST(Override, CtApiCodesLeaveTheBufferAndLengthAlone) {
    Simulator simulator = egkWith("override 2011000000 = -10, -11, -128\n");
    simulator.init(1, 1);
    for (int8_t expected : {-10, -11, -128}) {
        uint8_t command[] = {0x20, 0x11, 0x00, 0x00, 0x00};
        uint8_t response[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
        uint8_t dad = 1, sad = 2;
        uint16_t lenr = sizeof response;
        EXPECT_EQ(simulator.data(1, &dad, &sad, sizeof command, command, &lenr, response), expected);
        EXPECT_EQ(lenr, sizeof response);
        EXPECT_EQ(dad, 1);
        EXPECT_EQ(sad, 2);
        EXPECT_EQ(response[0], 0xEE);
    }
}

TEST(Override, ShortResponsesForTheLengthRule) {
    Simulator simulator = egkWith("override 2011000000 = 0A, empty\n");
    simulator.init(1, 1);
    const auto oneByte = simulator.transmit(1, kTerminal, "2011000000");
    EXPECT_EQ(oneByte.code, 0);
    EXPECT_EQ(oneByte.response, "0A");
    const auto nothing = simulator.transmit(1, kTerminal, "2011000000");
    EXPECT_EQ(nothing.code, 0);
    EXPECT_EQ(nothing.response, "");
}

TEST(Override, OverriddenAnswersDoNotChangeState) {
    Simulator simulator = egkWith("override 201501 = 9001\n");
    simulator.init(1, 1);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201501010101").response, "9001");
    EXPECT_TRUE(simulator.cardPresent(1)) << "the eject was only pretended";
}

TEST(Override, MatchesWhateverTheDestination) {
    Simulator simulator = egkWith("override 00B082 = 6A82\n");
    simulator.init(1, 1);
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0820000").response, "6A82");
    const auto toTerminal = simulator.transmit(1, kTerminal, "00B0820000");
    EXPECT_EQ(toTerminal.response, "6A82");
    EXPECT_EQ(toTerminal.sad, 1);
}

} // namespace
} // namespace kc::sim::test
