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

using Clock = std::chrono::steady_clock;
using sim::serial::EmulatorProcess;

constexpr int kOk = 0;
constexpr int kErrInvalid = -1;
constexpr int kErrCt = -8;
constexpr int kErrTrans = -10;
constexpr int kErrMemory = -11;
constexpr int kErrHost = -127;

// No call of the library waits longer than its block waiting times allow,
// with room for a loaded machine.
constexpr auto kCallLimit = std::chrono::seconds(10);

const std::string kEgkScenario = "egk/stationary_test_lab_card.scn";

// COM n is the emulator's device for the life of the object.
class ComPort {
  public:
    ComPort(int n, const std::string& device) : variable_("KARTOCHECK_COM" + std::to_string(n)) {
        setenv(variable_.c_str(), device.c_str(), 1);
    }
    ~ComPort() { unsetenv(variable_.c_str()); }

  private:
    std::string variable_;
};

class SerialLibrary : public ::testing::Test {
  protected:
    LoadedCtApi api{BuiltFile("libctapi-serial.so")};
    void SetUp() override { ASSERT_TRUE(api.loaded()) << "libctapi-serial.so not built"; }
};

struct SpeedCase {
    const char* speedOption; // the terminal's speed; empty: the scenario's
    int code;
    int32_t baud;
};

class SerialLibrarySpeeds : public SerialLibrary, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(SerialLibrarySpeeds, FindsTheSpeedTheTerminalAnswersAt) {
    EmulatorProcess emulator;
    std::vector<std::string> options;
    if (*GetParam().speedOption)
        options = {"--speed", GetParam().speedOption};
    ASSERT_TRUE(StartEmulator(emulator, kEgkScenario, options));
    ComPort com(1, emulator.devicePath());
    ASSERT_EQ(api.init(1, 1), GetParam().code);
    int32_t baud = 0;
    EXPECT_EQ(api.getBaudrate(1, &baud), GetParam().code == kOk ? 0 : -1);
    if (GetParam().code == kOk) {
        EXPECT_EQ(baud, GetParam().baud);
        EXPECT_EQ(api.transmit(1, 1, "2013008100").response, "8103014050"
                                                             "9000");
        EXPECT_EQ(api.close(1), kOk);
    }
}

INSTANTIATE_TEST_SUITE_P(Speeds, SerialLibrarySpeeds,
                         ::testing::Values(SpeedCase{"", kOk, 9600}, SpeedCase{"57600", kOk, 57600},
                                           SpeedCase{"19200", kOk, 19200},
                                           // No speed the library tries: nobody answers.
                                           SpeedCase{"4800", kErrTrans, 0}),
                         [](const auto& test) {
                             return "speed_" +
                                    std::string(*test.param.speedOption ? test.param.speedOption : "9600");
                         });

struct FaultCase {
    const char* name;
    const char* fault;
    int firstFailure; // index in kFaultCommands of the first failing command; -1: none
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

// The last read is answered in a chain of two blocks.
const std::vector<std::pair<uint8_t, std::string>> kFaultCommands = {{1, "2011000000"},
                                                                     {0, "00A4040C06D27600000102"},
                                                                     {0, "00A4020C02D002"},
                                                                     {0, "00B00008FE"},
                                                                     {1, "2013004600"}};

class SerialLibraryFaults : public SerialLibrary, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SerialLibraryFaults, EndInAnErrorCodeWithinTheLimitOrAreRecovered) {
    auto reference = sim::Simulator::fromFile(ScenarioFile(kEgkScenario));
    ASSERT_TRUE(reference) << reference.error;
    reference->init(1, 2);
    EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, kEgkScenario, {"--fault", GetParam().fault}));
    ComPort com(1, emulator.devicePath());
    ASSERT_EQ(api.init(1, 1), kOk);
    for (std::size_t k = 0; k < kFaultCommands.size(); ++k) {
        const auto& [dad, command] = kFaultCommands[k];
        const auto started = Clock::now();
        const LoadedCtApi::Answer answer = api.transmit(1, dad, command);
        EXPECT_LT(Clock::now() - started, kCallLimit) << "command " << k;
        const bool failureExpected = GetParam().firstFailure >= 0 && int(k) >= GetParam().firstFailure;
        EXPECT_EQ(answer.code, failureExpected ? kErrTrans : kOk) << "command " << k;
        if (!failureExpected) {
            EXPECT_EQ(answer.response, reference->transmit(1, dad, command).response) << "command " << k;
        }
    }
    EXPECT_EQ(api.close(1), kOk);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SerialLibraryFaults,
    ::testing::Values(FaultCase{"waiting_time_extension_longer_than_a_block_wait", "wtx@3x1", -1},
                      FaultCase{"silence", "silence@2", 2}, FaultCase{"bad_checksums", "lrc@2", 2},
                      FaultCase{"naks", "nak@2", 2}, FaultCase{"hang_up_in_a_chained_answer", "hangup@0", 3}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(SerialLibrary, KeepsToTheCtApiRules) {
    EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, kEgkScenario));
    ComPort com1(1, emulator.devicePath());
    ComPort com2(2, emulator.devicePath());
    ComPort com7(7, "/nonexistent/kartocheck-com7");

    EXPECT_EQ(api.transmit(1, 1, "2011000000").code, kErrInvalid); // not open
    for (uint16_t pn : {0, 257, 0x2000})
        EXPECT_EQ(api.init(1, pn), kErrInvalid) << pn;
    EXPECT_EQ(api.init(1, 7), kErrTrans);
    ASSERT_EQ(api.init(1, 1), kOk);
    EXPECT_EQ(api.init(1, 1), kErrCt);
    EXPECT_EQ(api.init(2, 2), kErrHost); // the same device, held by ctn 1
    EXPECT_EQ(api.transmit(1, 2, "2011000000").code, kErrInvalid);

    // An answer larger than the room: an error, and nothing written.
    std::vector<uint8_t> room(4, 0xEE);
    uint8_t dad = 1;
    uint8_t sad = 2;
    uint16_t lenr = uint16_t(room.size());
    uint8_t command[] = {0x20, 0x13, 0x00, 0x46, 0x00};
    EXPECT_EQ(api.data(1, &dad, &sad, sizeof command, command, &lenr, room.data()), kErrMemory);
    EXPECT_EQ(lenr, room.size());
    EXPECT_EQ(room, std::vector<uint8_t>(4, 0xEE));
    // The link is intact afterwards.
    const LoadedCtApi::Answer status = api.transmit(1, 1, "2013004600");
    EXPECT_EQ(status.code, kOk);
    EXPECT_EQ(status.sad, 1);

    EXPECT_EQ(api.close(1), kOk);
    EXPECT_EQ(api.close(1), kErrInvalid);
    int32_t baud = 0;
    EXPECT_EQ(api.getBaudrate(1, &baud), -1);
}

TEST_F(SerialLibrary, TwoTerminalsOnTwoPortsAtOnce) {
    EmulatorProcess desk;
    EmulatorProcess counter;
    ASSERT_TRUE(StartEmulator(desk, kEgkScenario));
    ASSERT_TRUE(StartEmulator(counter, "kvk-com2.scn")); // a terminal at 115200 bit/s
    ComPort com1(1, desk.devicePath());
    ComPort com2(2, counter.devicePath());
    ASSERT_EQ(api.init(1, 1), kOk);
    ASSERT_EQ(api.init(7, 2), kOk);
    int32_t baud = 0;
    EXPECT_EQ(api.getBaudrate(7, &baud), 0);
    EXPECT_EQ(baud, 115200);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(api.transmit(1, 1, "2013004600").response, "460F"
                                                             "44455A4156"
                                                             "514B542D34"
                                                             "332E312E30"
                                                             "9000");
        EXPECT_EQ(api.transmit(7, 1, "2013004600").response, "460F"
                                                             "44455A4156"
                                                             "514B542D31"
                                                             "322E302E34"
                                                             "9000");
    }
    EXPECT_EQ(api.close(1), kOk);
    EXPECT_EQ(api.close(7), kOk);
}

} // namespace
} // namespace kc::test
