#include "sim_test_helpers.h"

#include <array>

namespace kc::sim::test {
namespace {

constexpr std::array<uint8_t, 5> kResetCt{0x20, 0x11, 0x00, 0x00, 0x00};
constexpr std::array<uint8_t, 5> kReadGdo{0x00, 0xB0, 0x82, 0x00, 0x00};

TEST(CtInit, DefaultScenarioHasATerminalOnUsbDeviceOneOnly) {
    Simulator simulator = Simulator::builtIn();
    for (uint16_t pn : {1, 2, 3, 4, 5, 256, 8193, 8447, 9000})
        EXPECT_EQ(simulator.init(1, pn), -10) << pn;
    EXPECT_EQ(simulator.init(1, 8192), 0);
    EXPECT_TRUE(simulator.isOpen(1));
}

TEST(CtInit, PortTableAndSeveralTerminals) {
    Simulator simulator = load(R"(
[ports]
default = -8
3 = -127
5 = 0, -10
[terminal com2]
ports = 2
[terminal usb]
ports = 8192, 8193
)");
    EXPECT_EQ(simulator.init(1, 1), -8);
    EXPECT_EQ(simulator.init(1, 3), -127);
    EXPECT_EQ(simulator.init(1, 2), 0);
    EXPECT_EQ(simulator.close(1), 0);
    EXPECT_EQ(simulator.init(1, 8193), 0);
    EXPECT_EQ(simulator.close(1), 0);
    EXPECT_EQ(simulator.init(1, 5), 0) << "a port that opens with nothing behind it";
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").code, -10);
    int32_t baud = -1;
    EXPECT_EQ(simulator.getBaudrate(1, &baud), -1);
    EXPECT_EQ(simulator.close(1), 0);
    EXPECT_EQ(simulator.init(1, 5), -10);
    EXPECT_EQ(simulator.init(1, 5), -10);
}

TEST(CtInit, OpenSessionsAreNotOpenedTwice) {
    Simulator simulator = load("[terminal a]\nports = 2, 8192\n[terminal b]\nports = 3\n");
    ASSERT_EQ(simulator.init(1, 2), 0);
    EXPECT_EQ(simulator.init(1, 3), -8) << "ctn 1 is in use";
    EXPECT_EQ(simulator.init(2, 8192), -8) << "the terminal already has a session";
    EXPECT_EQ(simulator.init(2, 3), 0);
    EXPECT_EQ(simulator.close(1), 0);
    EXPECT_EQ(simulator.init(1, 8192), 0);
}

TEST(CtInit, TerminalInitSequenceAndSwitchedOffPort) {
    Simulator simulator = load("[terminal a]\nports = 2\ninit = 0, -10\n[terminal b]\nports = 8192\n");
    EXPECT_EQ(simulator.init(1, 2), 0);
    simulator.close(1);
    EXPECT_EQ(simulator.init(1, 2), -10);

    EXPECT_EQ(simulator.init(1, 8192), 0);
    simulator.close(1);
    simulator.setPortResult(8192, -10);
    EXPECT_EQ(simulator.init(1, 8192), -10);
    simulator.setPortResult(8192, 0);
    EXPECT_EQ(simulator.init(1, 8192), 0);
}

TEST(CtClose, ClosingWhatIsNotOpen) {
    Simulator simulator = Simulator::builtIn();
    EXPECT_EQ(simulator.close(1), -1);
    ASSERT_EQ(simulator.init(1, 8192), 0);
    EXPECT_EQ(simulator.close(1), 0);
    EXPECT_EQ(simulator.close(1), -1);
}

TEST(CtClose, ConfiguredCloseResultStillClosesTheSession) {
    Simulator simulator = load("[terminal a]\nports = 2\nclose = -8\n");
    ASSERT_EQ(simulator.init(1, 2), 0);
    EXPECT_EQ(simulator.close(1), -8);
    EXPECT_FALSE(simulator.isOpen(1));
}

TEST(CtData, AnswersCarryHostAsDestinationAndTheAnsweringUnit) {
    Simulator simulator = Simulator::builtIn();
    ASSERT_EQ(simulator.init(1, 8192), 0);
    std::array<uint8_t, 4098> response{};
    uint8_t dad = 1, sad = 2;
    uint16_t lenr = response.size();
    ASSERT_EQ(simulator.data(1, &dad, &sad, kResetCt.size(), kResetCt.data(), &lenr, response.data()), 0);
    EXPECT_EQ(dad, 2);
    EXPECT_EQ(sad, 1);
    EXPECT_EQ(lenr, 2);
    EXPECT_EQ(ToHex(std::span(response.data(), lenr)), "9000");

    dad = 0, sad = 2, lenr = response.size();
    ASSERT_EQ(simulator.data(1, &dad, &sad, kReadGdo.size(), kReadGdo.data(), &lenr, response.data()), 0);
    EXPECT_EQ(dad, 2);
    EXPECT_EQ(sad, 0);
    EXPECT_EQ(lenr, 14);
}

TEST(CtData, RefusesCallsOutsideASessionAndBadArguments) {
    Simulator simulator = Simulator::builtIn();
    std::array<uint8_t, 16> response{};
    uint8_t dad = 1, sad = 2;
    uint16_t lenr = response.size();
    auto call = [&](uint16_t ctn, uint8_t* d, uint8_t* s, uint16_t lenc, const uint8_t* command, uint16_t* l,
                    uint8_t* r) { return simulator.data(ctn, d, s, lenc, command, l, r); };
    EXPECT_EQ(call(1, &dad, &sad, 5, kResetCt.data(), &lenr, response.data()), -1) << "no session";
    ASSERT_EQ(simulator.init(1, 8192), 0);
    EXPECT_EQ(call(2, &dad, &sad, 5, kResetCt.data(), &lenr, response.data()), -1) << "other ctn";
    EXPECT_EQ(call(1, nullptr, &sad, 5, kResetCt.data(), &lenr, response.data()), -1);
    EXPECT_EQ(call(1, &dad, nullptr, 5, kResetCt.data(), &lenr, response.data()), -1);
    EXPECT_EQ(call(1, &dad, &sad, 5, nullptr, &lenr, response.data()), -1);
    EXPECT_EQ(call(1, &dad, &sad, 5, kResetCt.data(), nullptr, response.data()), -1);
    EXPECT_EQ(call(1, &dad, &sad, 5, kResetCt.data(), &lenr, nullptr), -1);
    EXPECT_EQ(call(1, &dad, &sad, 0, kResetCt.data(), &lenr, response.data()), -1) << "empty command";
    dad = 2;
    EXPECT_EQ(call(1, &dad, &sad, 5, kResetCt.data(), &lenr, response.data()), -1) << "no ICC 2";
    EXPECT_EQ(lenr, response.size());
}

TEST(CtData, AnswerLongerThanTheRoomGivesMemoryErrorWithoutWriting) {
    Simulator simulator = Simulator::builtIn();
    ASSERT_EQ(simulator.init(1, 8192), 0);
    // EF.GDO answers 12 bytes + SW = 14 bytes.
    std::array<uint8_t, 20> response;
    response.fill(0xEE);
    uint8_t dad = 0, sad = 2;
    uint16_t lenr = 13;
    EXPECT_EQ(simulator.data(1, &dad, &sad, kReadGdo.size(), kReadGdo.data(), &lenr, response.data()), -11);
    EXPECT_EQ(lenr, 13);
    EXPECT_EQ(dad, 0);
    EXPECT_EQ(response[0], 0xEE);

    lenr = 14;
    EXPECT_EQ(simulator.data(1, &dad, &sad, kReadGdo.size(), kReadGdo.data(), &lenr, response.data()), 0);
    EXPECT_EQ(lenr, 14);
    EXPECT_EQ(response[14], 0xEE);

    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000", 1).code, -11);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000", 0).code, -11);
}

TEST(CtData, OversizeTruncateAndClaimNeverWritePastTheRoom) {
    for (const auto& [policy, reported] : {std::pair{"truncate", 13}, std::pair{"claim", 14}}) {
        Simulator simulator =
            load(std::string("[terminal t]\nports = 1\noversize = ") + policy +
                 "\ncard = egk\ncard.gdo = @cards/EGKG2_80276883110000017222__EF_GDO.hex\n");
        ASSERT_EQ(simulator.init(1, 1), 0);
        std::array<uint8_t, 20> response;
        response.fill(0xEE);
        uint8_t dad = 0, sad = 2;
        uint16_t lenr = 13;
        EXPECT_EQ(simulator.data(1, &dad, &sad, kReadGdo.size(), kReadGdo.data(), &lenr, response.data()), 0)
            << policy;
        EXPECT_EQ(lenr, reported) << policy;
        EXPECT_EQ(ToHex(std::span(response.data(), 13)), "5A0A8027688311000001722290") << policy;
        EXPECT_EQ(response[13], 0xEE) << policy;
    }
}

TEST(CtGetBaudrate, ReportsTheConfiguredSpeedOrFails) {
    Simulator simulator =
        load("[terminal a]\nports = 2\nbaudrate = 115200\n[terminal b]\nports = 3\nbaudrate = fail\n");
    int32_t baud = -1;
    EXPECT_EQ(simulator.getBaudrate(1, &baud), -1) << "no session";
    ASSERT_EQ(simulator.init(1, 2), 0);
    EXPECT_EQ(simulator.getBaudrate(1, nullptr), -1);
    EXPECT_EQ(simulator.getBaudrate(1, &baud), 0);
    EXPECT_EQ(baud, 115200);
    simulator.close(1);
    ASSERT_EQ(simulator.init(1, 3), 0);
    baud = -1;
    EXPECT_EQ(simulator.getBaudrate(1, &baud), -1);
    EXPECT_EQ(baud, -1);
}

TEST(ExchangeLog, RecordsEveryDataCall) {
    Simulator simulator = Simulator::builtIn();
    simulator.transmit(1, kTerminal, "2011000000");
    simulator.init(1, 8192);
    simulator.transmit(1, kTerminal, "2011000000", 10);
    simulator.transmit(1, kCard, "00b0820000", 100);
    const auto& log = simulator.exchanges();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].code, -1);
    EXPECT_EQ(log[0].response, "");
    EXPECT_EQ(log[1].ctn, 1);
    EXPECT_EQ(log[1].dad, 1);
    EXPECT_EQ(log[1].capacity, 10);
    EXPECT_EQ(log[1].command, "2011000000");
    EXPECT_EQ(log[1].response, "9000");
    EXPECT_EQ(log[1].sad, 1);
    EXPECT_EQ(log[1].code, 0);
    EXPECT_EQ(log[2].command, "00B0820000");
    EXPECT_EQ(log[2].dad, 0);
    EXPECT_EQ(log[2].sad, 0);
    EXPECT_EQ(log[2].sw(), "9000");
    simulator.clearExchanges();
    EXPECT_TRUE(simulator.exchanges().empty());
    simulator.setExchangeLogging(false);
    simulator.transmit(1, kTerminal, "2011000000");
    EXPECT_TRUE(simulator.exchanges().empty());
}

TEST(LineSpeed, SlowLineStillAnswersAlike) {
    Simulator simulator = load("[terminal a]\nports = 2\nline-speed = 115200\n");
    ASSERT_EQ(simulator.init(1, 2), 0);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").response, "9000");
}

} // namespace
} // namespace kc::sim::test
