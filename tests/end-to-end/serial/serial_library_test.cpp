// SPDX-License-Identifier: Apache-2.0
// The serial CT-API library as any C program loads it, on the emulator's pseudo-terminal:
// the speed it finds and the CT-API rules it keeps (line faults: the T=1 and program tests).
#include "scratch_dir.h"
#include "serial_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

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
    static void com(int n, const std::string& device) {
        setenv(("KARTOCHECK_COM" + std::to_string(n)).c_str(), device.c_str(), 1);
    }

    LoadedCtApi api{BuiltFile("libctapi-serial.so")};
};

// 4800 bit/s is no speed the library tries: nobody answers.
TEST_F(SerialLibrary, ATerminalAtASpeedNotTriedIsNotFound) {
    EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, kEgkScenario, {"--speed", "4800"}));
    com(1, emulator.devicePath());
    EXPECT_EQ(api.init(1, 1), -10);
    int32_t baud = 0;
    EXPECT_EQ(api.getBaudrate(1, &baud), -1);
}

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
    EXPECT_EQ(api.transmit(1, 1, "2013004600").response, kDeskIdentity);
    EXPECT_EQ(api.transmit(7, 1, "2013004600").response, "460F44455A4156514B542D31322E302E349000");
    EXPECT_EQ(api.close(1), 0);
    EXPECT_EQ(api.close(7), 0);
}

// The trace holds every block the card sent: only the user may read it.
// The environment is read at the first call, and every test runs in a
// process of its own.
TEST_F(SerialLibrary, TheTraceNamedInTheEnvironmentHoldsTheCalls) {
    const ScratchDir scratch;
    const std::filesystem::path trace = scratch.path() / "trace.txt";
    setenv("CTAPI_SERIAL_TRACE", trace.c_str(), 1);
    EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, kEgkScenario));
    com(1, emulator.devicePath());
    ASSERT_EQ(api.init(1, 1), 0);
    EXPECT_EQ(api.transmit(1, 1, "2013004600").response, kDeskIdentity);
    EXPECT_EQ(api.close(1), 0);
    unsetenv("CTAPI_SERIAL_TRACE");
    std::ifstream in(trace);
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(in), {}).find("\ninit ctn=1 pn=1 -> 0\n"),
              std::string::npos);
}

} // namespace
} // namespace kc::test
