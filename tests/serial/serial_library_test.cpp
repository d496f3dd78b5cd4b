// The serial CT-API library as any C program loads it, talking to the
// emulator over a real pseudo-terminal: the speed it finds, what faults on
// the line come to, and the CT-API rules it keeps.
#include "serial_test_support.h"
#include "sim/simulator.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

using sim::serial::EmulatorProcess;

const std::string kEgkScenario = "egk/stationary_test_lab_card.scn";
const std::string kDeskIdentity = "460F44455A4156514B542D34332E312E309000";

class SerialLibrary : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(api.loaded()) << "libctapi-serial.so not built"; }
    void TearDown() override {
        for (int n : {1, 2, 7})
            unsetenv(("KARTOCHECK_COM" + std::to_string(n)).c_str());
    }
    // COM n is this device until the test ends.
    static void com(int n, const std::string& device) {
        setenv(("KARTOCHECK_COM" + std::to_string(n)).c_str(), device.c_str(), 1);
    }

    LoadedCtApi api{BuiltFile("libctapi-serial.so")};
};

class SerialLibrarySpeeds : public SerialLibrary, public ::testing::WithParamInterface<int32_t> {};

// 4800 bit/s is no speed the library tries: nobody answers.
TEST_P(SerialLibrarySpeeds, FindsTheSpeedTheTerminalAnswersAt) {
    EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, kEgkScenario, {"--speed", std::to_string(GetParam())}));
    com(1, emulator.devicePath());
    const bool found = GetParam() != 4800;
    ASSERT_EQ(api.init(1, 1), found ? 0 : -10);
    int32_t baud = 0;
    EXPECT_EQ(api.getBaudrate(1, &baud), found ? 0 : -1);
    if (found) {
        EXPECT_EQ(baud, GetParam());
        EXPECT_EQ(api.transmit(1, 1, "2013008100").response, "81030140509000");
        EXPECT_EQ(api.close(1), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Speeds, SerialLibrarySpeeds, ::testing::Values(9600, 57600, 19200, 4800));

// The last read is answered in a chain of two blocks.
const std::vector<std::pair<uint8_t, std::string>> kFaultCommands = {{1, "2011000000"},
                                                                     {0, "00A4040C06D27600000102"},
                                                                     {0, "00A4020C02D002"},
                                                                     {0, "00B00008FE"},
                                                                     {1, "2013004600"}};

class SerialLibraryFaults : public SerialLibrary,
                            public ::testing::WithParamInterface<std::pair<const char*, int>> {};

// A fault ends in -10 from the command it hits on (-1: none does), within the
// block waiting times, or is recovered.
TEST_P(SerialLibraryFaults, EndInAnErrorCodeWithinTheLimitOrAreRecovered) {
    const auto [fault, firstFailure] = GetParam();
    auto reference = sim::Simulator::fromFile(ScenarioFile(kEgkScenario));
    ASSERT_TRUE(reference) << reference.error;
    reference->init(1, 2);
    EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, kEgkScenario, {"--fault", fault}));
    com(1, emulator.devicePath());
    ASSERT_EQ(api.init(1, 1), 0);
    for (int k = 0; k < int(kFaultCommands.size()); ++k) {
        const auto& [dad, command] = kFaultCommands[k];
        const auto started = std::chrono::steady_clock::now();
        const LoadedCtApi::Answer answer = api.transmit(1, dad, command);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)) << k;
        const bool failed = firstFailure >= 0 && k >= firstFailure;
        EXPECT_EQ(answer.code, failed ? -10 : 0) << k;
        if (!failed) {
            EXPECT_EQ(answer.response, reference->transmit(1, dad, command).response) << k;
        }
    }
    EXPECT_EQ(api.close(1), 0);
}

// A waiting time extension longer than a block wait; silence; a hang-up in a chained answer.
INSTANTIATE_TEST_SUITE_P(Faults, SerialLibraryFaults,
                         ::testing::Values(std::pair{"wtx@3x1", -1}, std::pair{"silence@2", 2},
                                           std::pair{"hangup@0", 3}));

TEST_F(SerialLibrary, KeepsToTheCtApiRules) {
    EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, kEgkScenario));
    com(1, emulator.devicePath());
    com(2, emulator.devicePath());
    com(7, "/nonexistent/kartocheck-com7");

    EXPECT_EQ(api.transmit(1, 1, "2011000000").code, -1) << "not open";
    for (uint16_t pn : {0, 257, 0x2000})
        EXPECT_EQ(api.init(1, pn), -1) << pn;
    EXPECT_EQ(api.init(1, 7), -10);
    ASSERT_EQ(api.init(1, 1), 0);
    EXPECT_EQ(api.init(1, 1), -8);
    EXPECT_EQ(api.init(2, 2), -127) << "the same device, held by ctn 1";
    EXPECT_EQ(api.transmit(1, 2, "2011000000").code, -1);
    // An answer larger than the room: an error, nothing written, and the link intact afterwards.
    std::vector<uint8_t> room(4, 0xEE);
    uint8_t dad = 1, sad = 2;
    uint16_t lenr = uint16_t(room.size());
    uint8_t command[] = {0x20, 0x13, 0x00, 0x46, 0x00};
    EXPECT_EQ(api.data(1, &dad, &sad, sizeof command, command, &lenr, room.data()), -11);
    EXPECT_EQ(lenr, room.size());
    EXPECT_EQ(room, std::vector<uint8_t>(4, 0xEE));
    const LoadedCtApi::Answer status = api.transmit(1, 1, "2013004600");
    EXPECT_EQ(status.response, kDeskIdentity);
    EXPECT_EQ(status.sad, 1);
    EXPECT_EQ(api.close(1), 0);
    EXPECT_EQ(api.close(1), -1);
    int32_t baud = 0;
    EXPECT_EQ(api.getBaudrate(1, &baud), -1);
}

TEST_F(SerialLibrary, TwoTerminalsOnTwoPortsAtOnce) {
    EmulatorProcess desk, counter;
    ASSERT_TRUE(StartEmulator(desk, kEgkScenario));
    ASSERT_TRUE(StartEmulator(counter, "kvk-com2.scn")); // a terminal at 115200 bit/s
    com(1, desk.devicePath());
    com(2, counter.devicePath());
    ASSERT_EQ(api.init(1, 1), 0);
    ASSERT_EQ(api.init(7, 2), 0);
    int32_t baud = 0;
    EXPECT_EQ(api.getBaudrate(7, &baud), 0);
    EXPECT_EQ(baud, 115200);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(api.transmit(1, 1, "2013004600").response, kDeskIdentity);
        EXPECT_EQ(api.transmit(7, 1, "2013004600").response, "460F44455A4156514B542D31322E302E349000");
    }
    EXPECT_EQ(api.close(1), 0);
    EXPECT_EQ(api.close(7), 0);
}

} // namespace
} // namespace kc::test
