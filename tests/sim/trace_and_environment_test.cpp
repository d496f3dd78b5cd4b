// SPDX-License-Identifier: Apache-2.0
#include "sim_test_helpers.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

namespace kc::sim::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

std::vector<std::string> lines(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

class TraceTest : public ::testing::Test {
  protected:
    void TearDown() override {
        ::unsetenv("MKTSIM_SCENARIO");
        ::unsetenv("MKTSIM_TRACE");
    }
    const ScratchDir scratch;
    const fs::path dir = scratch.path();
    const std::string trace = (dir / "trace.txt").string();
};

TEST_F(TraceTest, OneLinePerCallAppendedToTheFile) {
    std::ofstream(trace) << "earlier run\n";
    Simulator simulator = Simulator::builtIn();
    simulator.setTraceFile(trace);
    simulator.init(1, 8192);
    int32_t baud = -1;
    simulator.getBaudrate(1, &baud);
    simulator.transmit(1, kTerminal, "2011000000");
    simulator.transmit(1, kCard, "00B0820000", 4);
    simulator.close(1);
    simulator.getBaudrate(1, &baud);
    EXPECT_THAT(lines(trace),
                ElementsAre("earlier run", "init ctn=1 pn=8192 -> 0", "get_baudrate ctn=1 -> 0 baud=9600",
                            "data ctn=1 dad=1 sad=2 lenr=4098 cmd=2011000000 -> resp=9000 sad=1 code=0",
                            "data ctn=1 dad=0 sad=2 lenr=4 cmd=00B0820000 -> resp= sad=2 code=-11",
                            "close ctn=1 -> 0", "get_baudrate ctn=1 -> -1"));
}

TEST_F(TraceTest, BrokenScenarioRefusesEveryInitAndIsTraced) {
    const std::string path = (dir / "broken.scn").string();
    std::ofstream(path) << "[terminal t]\nports = 2\ncard = cassette\n";
    ::setenv("MKTSIM_SCENARIO", path.c_str(), 1);
    ::setenv("MKTSIM_TRACE", trace.c_str(), 1);
    const std::string expected = path + ":3: 'cassette' is not one of: none, kvk, egk, memory";
    Simulator simulator = Simulator::fromEnvironment();
    EXPECT_EQ(simulator.loadError(), expected);
    EXPECT_EQ(simulator.init(1, 2), -128);
    EXPECT_THAT(lines(trace), ElementsAre("scenario error: " + expected, "init ctn=1 pn=2 -> -128"));
}

} // namespace
} // namespace kc::sim::test
