#include "sim_test_helpers.h"

namespace kc::sim::test {
namespace {

Simulator kvkTerminal(const std::string& extra = "") {
    return load("[terminal t]\nports = 3\ncard = kvk\ncard.record = @cards/kvk_tk_apfel.hex\n" + extra);
}

TEST(TerminalIdentity, DefaultDeskTerminalAnswersTheIdentificationCommands) {
    Simulator simulator = Simulator::builtIn();
    ASSERT_EQ(simulator.init(1, 8192), 0);
    const auto units = simulator.transmit(1, kTerminal, "2013008100");
    EXPECT_EQ(units.response, "810301405090"
                              "00");
    EXPECT_EQ(units.sad, 1);
    // Tag 46, length 0F, "DEZAV" "QKT-4" "3.1.0".
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2013004600").response, "460F"
                                                                       "44455A4156"
                                                                       "514B542D34"
                                                                       "332E312E30"
                                                                       "9000");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2071000100").response, "6D00");
    int32_t baud = -1;
    EXPECT_EQ(simulator.getBaudrate(1, &baud), 0);
    EXPECT_EQ(baud, 9600);
}

TEST(TerminalIdentity, ConfiguredIdentityOfAHandheld) {
    Simulator simulator = load(R"(
[terminal q3]
ports = 3
kind = handheld
get-status-81 = 6D00
get-status-46 = 46 0F "DEZAV" "QMT3 " "1.4.0" 90 00
usb-info = 12 01 00 02 00 00 00 08 00 00 02 90 00
)");
    simulator.init(1, 3);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2013008100").response, "6D00");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").response, "9500");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2071000100").response, "12010002000000080000029000");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2013004600").response.substr(4, 30), "44455A4156"
                                                                                     "514D543320"
                                                                                     "312E342E30");
}

TEST(TerminalCommands, UnknownAndMalformedCommands) {
    Simulator simulator = kvkTerminal();
    simulator.init(1, 3);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2099000000").response, "6D00");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "00A4040006D27600000101").response, "6E00");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011").response, "6700");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2012010001010101").response, "6700") << "Lc does not match";
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201202000101").response, "6A00") << "there is no ICC 2";
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2013005000").response, "6A00");
}

TEST(CardSlot, RequestIccTellsTheCardKind) {
    Simulator kvk = kvkTerminal();
    kvk.init(1, 3);
    EXPECT_EQ(kvk.transmit(1, kTerminal, "201201000101").response, "9000");
    EXPECT_EQ(kvk.transmit(1, kTerminal, "20110100").response, "9000");

    Simulator egk = Simulator::builtIn();
    egk.init(1, 8192);
    EXPECT_EQ(egk.transmit(1, kTerminal, "201201000101").response, "9001");
    EXPECT_EQ(egk.transmit(1, kTerminal, "20110100").response, "9001");

    Simulator empty = load("[terminal t]\nports = 3\n");
    empty.init(1, 3);
    EXPECT_EQ(empty.transmit(1, kTerminal, "201201000101").response, "6200");
    EXPECT_EQ(empty.transmit(1, kTerminal, "20110100").response, "6400");
    const auto select = empty.transmit(1, kCard, "00A4040006D27600000101");
    EXPECT_EQ(select.response, "6400");
    EXPECT_EQ(select.sad, 1) << "with no card the terminal answers itself";
}

TEST(CardSlot, IccStatusFollowsTheCard) {
    Simulator simulator = kvkTerminal();
    simulator.init(1, 3);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2013008000").response, "8001059000");
    simulator.transmit(1, kTerminal, "201501010101");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2013008000").response, "8001009000");
}

TEST(CardSlot, CardInsertedLater) {
    Simulator simulator = kvkTerminal("card.arrives-after = 2\n");
    simulator.init(1, 3);
    EXPECT_FALSE(simulator.cardPresent(3));
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "6200");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D27600000101").response, "6400");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "6200");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "9000");
    EXPECT_TRUE(simulator.cardPresent(3));
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D27600000101").response, "9000");
}

TEST(CardSlot, EjectedCardStaysGoneAcrossSessions) {
    Simulator simulator = kvkTerminal();
    simulator.init(1, 3);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201501010101").response, "9001");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201501010101").response, "9000");
    simulator.close(1);
    ASSERT_EQ(simulator.init(1, 3), 0);
    EXPECT_FALSE(simulator.cardPresent(3));
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "6200");
}

TEST(OutputMedium, DisplayRefusesCardCommandsWith6985FromTheTerminal) {
    Simulator simulator = kvkTerminal("output = display\n");
    simulator.init(1, 3);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "9000");
    const auto select = simulator.transmit(1, kCard, "00A4040006D27600000101");
    EXPECT_EQ(select.response, "6985");
    EXPECT_EQ(select.sad, 1);
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0000000").response, "6985");
}

TEST(OutputMedium, DisplayErrorGivesCtApiCodeMinus10) {
    Simulator simulator = kvkTerminal("output = display-error\n");
    simulator.init(1, 3);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").code, -10);
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D27600000101").code, -10);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "20110100").code, -10);
}

TEST(Lock, LockedTerminalAnswers6900) {
    Simulator simulator = kvkTerminal("locked = yes\n");
    simulator.init(1, 3);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "6900");
    const auto select = simulator.transmit(1, kCard, "00A4040006D27600000101");
    EXPECT_EQ(select.response, "6900");
    EXPECT_EQ(select.sad, 1);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "20110100").response, "6900");
}

TEST(Lock, KeyCardLockHidesTheCardAndRefusesSelect) {
    Simulator simulator = kvkTerminal("locked = keycard\n");
    simulator.init(1, 3);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "6200");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D27600000101").response, "6900");
}

} // namespace
} // namespace kc::sim::test
