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

// A scratch folder, and MKTSIM_SCENARIO and MKTSIM_TRACE set for one test and
// unset after.
class TraceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        ::unsetenv("MKTSIM_SCENARIO");
        ::unsetenv("MKTSIM_TRACE");
        fs::remove_all(dir);
    }
    std::string environment(const std::string& scenarioName, const std::string& scenarioText) {
        if (!scenarioText.empty())
            std::ofstream(dir / scenarioName) << scenarioText;
        ::setenv("MKTSIM_SCENARIO", scenarioName.empty() ? "" : (dir / scenarioName).c_str(), 1);
        ::setenv("MKTSIM_TRACE", trace.c_str(), 1);
        return (dir / scenarioName).string();
    }

    const fs::path dir = fs::temp_directory_path() / "mktsim_trace_test";
    const std::string trace = (dir / "trace.txt").string();
};

TEST_F(TraceTest, OneLinePerCallAppendedToTheFile) {
    std::ofstream(trace) << "earlier run\n";
    Simulator simulator = Simulator::builtIn();
    simulator.setTraceFile(trace);
    simulator.init(1, 3);
    simulator.init(1, 8192);
    int32_t baud = -1;
    simulator.getBaudrate(1, &baud);
    simulator.transmit(1, kTerminal, "2011000000");
    simulator.transmit(1, kCard, "00B0820000", 4);
    simulator.close(1);
    simulator.close(1);
    simulator.getBaudrate(1, &baud);
    EXPECT_THAT(lines(trace),
                ElementsAre("earlier run", "init ctn=1 pn=3 -> -10", "init ctn=1 pn=8192 -> 0",
                            "get_baudrate ctn=1 -> 0 baud=9600",
                            "data ctn=1 dad=1 sad=2 lenr=4098 cmd=2011000000 -> resp=9000 sad=1 code=0",
                            "data ctn=1 dad=0 sad=2 lenr=4 cmd=00B0820000 -> resp= sad=2 code=-11",
                            "close ctn=1 -> 0", "close ctn=1 -> -1", "get_baudrate ctn=1 -> -1"));
}

TEST_F(TraceTest, EnvironmentNamesScenarioAndTrace) {
    environment("com2.scn", "[terminal t]\nports = 2\nreset-ct = 9500\n");
    Simulator simulator = Simulator::fromEnvironment();
    EXPECT_EQ(simulator.loadError(), "");
    EXPECT_EQ(simulator.init(1, 8192), -10);
    EXPECT_EQ(simulator.init(1, 2), 0);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").response, "9500");
    EXPECT_EQ(lines(trace).size(), 3u);
}

TEST_F(TraceTest, BrokenOrMissingScenarioRefusesEveryInitAndNoneIsTheBuiltInOne) {
    const std::string path = environment("broken.scn", "[terminal t]\nports = 2\ncard = cassette\n");
    const std::string expected = path + ":3: 'cassette' is not one of: none, kvk, egk, memory";
    Simulator simulator = Simulator::fromEnvironment();
    EXPECT_EQ(simulator.loadError(), expected);
    EXPECT_EQ(simulator.init(1, 2), -128);
    EXPECT_THAT(lines(trace), ElementsAre("scenario error: " + expected, "init ctn=1 pn=2 -> -128"));

    const std::string missing = environment("nowhere.scn", "");
    Simulator nothing = Simulator::fromEnvironment();
    EXPECT_EQ(nothing.loadError(), missing + ": cannot read the scenario file");
    EXPECT_EQ(nothing.init(1, 8192), -128);
    environment("", "");
    EXPECT_EQ(Simulator::fromEnvironment().init(1, 8192), 0);
}

} // namespace
} // namespace kc::sim::test
