#include "sim_test_helpers.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

namespace kc::sim::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

// Sets an environment variable for one test and restores it after.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

class TraceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir =
            fs::temp_directory_path() /
            ("mktsim_trace_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
};

TEST_F(TraceTest, OneLinePerCall) {
    Simulator simulator = Simulator::builtIn();
    simulator.setTraceFile((dir / "trace.txt").string());
    simulator.init(1, 3);
    simulator.init(1, 8192);
    int32_t baud = -1;
    simulator.getBaudrate(1, &baud);
    simulator.transmit(1, kTerminal, "2011000000");
    simulator.transmit(1, kCard, "00A4040C06D27600000102");
    simulator.transmit(1, kCard, "00B0820000", 4);
    simulator.close(1);
    simulator.close(1);
    simulator.getBaudrate(1, &baud);

    EXPECT_THAT(lines(dir / "trace.txt"),
                ::testing::ElementsAre(
                    "init ctn=1 pn=3 -> -10", "init ctn=1 pn=8192 -> 0", "get_baudrate ctn=1 -> 0 baud=9600",
                    "data ctn=1 dad=1 sad=2 lenr=4098 cmd=2011000000 -> resp=9000 sad=1 code=0",
                    "data ctn=1 dad=0 sad=2 lenr=4098 cmd=00A4040C06D27600000102 -> resp=9000 sad=0 code=0",
                    "data ctn=1 dad=0 sad=2 lenr=4 cmd=00B0820000 -> resp= sad=2 code=-11",
                    "close ctn=1 -> 0", "close ctn=1 -> -1", "get_baudrate ctn=1 -> -1"));
}

TEST_F(TraceTest, AppendsToAnExistingFile) {
    {
        std::ofstream out(dir / "trace.txt");
        out << "earlier run\n";
    }
    Simulator simulator = Simulator::builtIn();
    simulator.setTraceFile((dir / "trace.txt").string());
    simulator.init(7, 8192);
    EXPECT_THAT(lines(dir / "trace.txt"), ::testing::ElementsAre("earlier run", "init ctn=7 pn=8192 -> 0"));
}

TEST_F(TraceTest, EnvironmentNamesScenarioAndTrace) {
    {
        std::ofstream out(dir / "com2.scn");
        out << "[terminal t]\nports = 2\nreset-ct = 9500\n";
    }
    ScopedEnv scenario("MKTSIM_SCENARIO", (dir / "com2.scn").string());
    ScopedEnv trace("MKTSIM_TRACE", (dir / "trace.txt").string());
    Simulator simulator = Simulator::fromEnvironment();
    EXPECT_EQ(simulator.loadError(), "");
    EXPECT_EQ(simulator.init(1, 8192), -10);
    EXPECT_EQ(simulator.init(1, 2), 0);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").response, "9500");
    EXPECT_EQ(lines(dir / "trace.txt").size(), 3u);
}

TEST_F(TraceTest, WithoutScenarioVariableTheBuiltInScenarioPlays) {
    ScopedEnv scenario("MKTSIM_SCENARIO", "");
    Simulator simulator = Simulator::fromEnvironment();
    EXPECT_EQ(simulator.init(1, 8192), 0);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "9001");
}

TEST_F(TraceTest, BrokenScenarioRefusesEveryInitAndSaysWhy) {
    {
        std::ofstream out(dir / "broken.scn");
        out << "[terminal t]\nports = 2\ncard = cassette\n";
    }
    ScopedEnv scenario("MKTSIM_SCENARIO", (dir / "broken.scn").string());
    ScopedEnv trace("MKTSIM_TRACE", (dir / "trace.txt").string());
    Simulator simulator = Simulator::fromEnvironment();
    const std::string expected =
        (dir / "broken.scn").string() + ":3: 'cassette' is not one of: none, kvk, egk, memory";
    EXPECT_EQ(simulator.loadError(), expected);
    EXPECT_EQ(simulator.init(1, 2), -128);
    EXPECT_EQ(simulator.init(1, 8192), -128);
    EXPECT_THAT(lines(dir / "trace.txt"),
                ::testing::ElementsAre("scenario error: " + expected, "init ctn=1 pn=2 -> -128",
                                       "init ctn=1 pn=8192 -> -128"));
}

TEST_F(TraceTest, MissingScenarioFileIsALoadError) {
    ScopedEnv scenario("MKTSIM_SCENARIO", (dir / "nowhere.scn").string());
    Simulator simulator = Simulator::fromEnvironment();
    EXPECT_EQ(simulator.loadError(), (dir / "nowhere.scn").string() + ": cannot read the scenario file");
    EXPECT_EQ(simulator.init(1, 8192), -128);
}

} // namespace
} // namespace kc::sim::test
