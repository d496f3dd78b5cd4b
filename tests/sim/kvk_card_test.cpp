#include "sim_test_helpers.h"

#include <fstream>

namespace kc::sim::test {
namespace {

std::string recordHex(const std::string& name) {
    std::ifstream in(scenariosDir() + "/cards/" + name);
    std::string text;
    in >> text;
    return ToHex(FromHex(text).value_or(Bytes{}));
}

constexpr std::string_view kKvkTerminal = R"(
[terminal counter]
ports = 2
card = kvk
card.record = @cards/kvk_tk_apfel.hex
)";

TEST(KvkCard, StationaryReadAnswersEveryStepOfTheProgramsSequence) {
    Simulator simulator = load(kKvkTerminal);
    const std::string record = recordHex("kvk_tk_apfel.hex");
    ASSERT_EQ(record.size(), 284u);

    ASSERT_EQ(simulator.init(1, 2), 0);
    simulator.transmit(1, kTerminal, "2011000000");
    simulator.transmit(1, kTerminal, "201201000101");
    simulator.transmit(1, kTerminal, "20110100");
    simulator.transmit(1, kCard, "00A4040006D27600000101");
    const auto read = simulator.transmit(1, kCard, "00B0000000");
    simulator.transmit(1, kTerminal, "2011000000");
    EXPECT_EQ(simulator.close(1), 0);

    EXPECT_EQ(read.response, record + "9000");
    EXPECT_EQ(read.sad, 0);
    EXPECT_EQ(statusWords(simulator),
              (std::vector<std::string>{"9000", "9000", "9000", "9000", "9000", "9000"}));
    const auto& log = simulator.exchanges();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[3].command, "00A4040006D27600000101");
    EXPECT_EQ(log[3].sad, 0);
    EXPECT_EQ(log[1].sad, 1);
}

TEST(KvkCard, ExplicitLeLongerThanTheRecordGivesTheRecordWith6282) {
    Simulator simulator = load(kKvkTerminal);
    simulator.init(1, 2);
    simulator.transmit(1, kCard, "00A4040006D27600000101");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B00000C8").response, recordHex("kvk_tk_apfel.hex") + "6282");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0000004").response, "60818B80"
                                                                   "9000");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0008A0A").response, "318E01FC"
                                                                   "6282");
}

TEST(KvkCard, ReadBeforeSelectAndOtherApplicationsAreRefused) {
    Simulator simulator = load(kKvkTerminal);
    simulator.init(1, 2);
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0000000").response, "6986");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040C06D27600000102").response, "6A82");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D28000000101").response, "6A82")
        << "a card with the new application identifier does not answer to the old one";
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0000000").response, "6986") << "a failed SELECT deselects";
    EXPECT_EQ(simulator.transmit(1, kCard, "000E0000").response, "6D00")
        << "a card in a stationary terminal is not erased";
}

TEST(KvkCard, OldApplicationIdentifierOnly) {
    Simulator simulator = load(std::string(kKvkTerminal) + "card.aid = old\n");
    simulator.init(1, 2);
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D27600000101").response, "6A82");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D28000000101").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0000004").response, "60818B80"
                                                                   "9000");
}

TEST(KvkCard, BothApplicationIdentifiers) {
    Simulator simulator = load(std::string(kKvkTerminal) + "card.aid = both\n");
    simulator.init(1, 2);
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D27600000101").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D28000000101").response, "9000");
}

} // namespace
} // namespace kc::sim::test
