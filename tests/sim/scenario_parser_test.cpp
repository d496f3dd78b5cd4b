// SPDX-License-Identifier: Apache-2.0
#include "sim_test_helpers.h"

#include "sim/scenario.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

namespace kc::sim::test {
namespace {

using ::testing::HasSubstr;

TEST(ScenarioParser, EveryScenarioFileInTheProjectLoads) {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scenariosDir())) {
        if (entry.path().extension() != ".scn")
            continue;
        const auto loaded = Scenario::fromFile(entry.path().string());
        EXPECT_TRUE(loaded) << loaded.error;
        ++count;
    }
    EXPECT_GE(count, 5);
}

// What the calls cannot show at once (the other settings are played in the
// dialogues), in a file with Windows line ends.
TEST(ScenarioParser, ReadsTheTimingSettings) {
    auto scenario = Scenario::fromText("[terminal q3]\r\nports = 2\r\nline-speed = 9600\r\ncard = egk\r\n"
                                       "card.removed-after = 6\r\ncard.back-after = 1500\r\n",
                                       "");
    ASSERT_TRUE(scenario) << scenario.error;
    const TerminalSetup& t = scenario->terminals.at(0);
    EXPECT_EQ(std::tie(t.lineSpeed, t.card.removedAfter, t.card.backAfterMs),
              std::make_tuple(9600, 6, std::optional<int>(1500)));
}

TEST(ScenarioParser, FilesAreReadAsHexTextOrRawBytesAndNamedInErrors) {
    const ScratchDir scratch;
    const auto& dir = scratch.path();
    std::ofstream(dir / "gdo.bin", std::ios::binary).write("\x5A\x02\x01\x02", 4);
    std::ofstream(dir / "vd.hex") << "# header\n0008 00FF\n  0000 0000 # no GVD\n";
    std::ofstream(dir / "pd.hex") << "0102 zz";
    std::ofstream(dir / "bad.scn") << "[terminal a]\nports = 1\n\ncard = tape\n";
    auto loaded = Scenario::fromText(
        "[terminal a]\nports = 1\ncard = egk\ncard.gdo = @gdo.bin\ncard.vd = @vd.hex\n", dir.string());
    ASSERT_TRUE(loaded) << loaded.error;
    EXPECT_EQ(ToHex(loaded->terminals[0].card.egkFiles.at(EgkFile::Gdo)), "5A020102");
    EXPECT_EQ(ToHex(loaded->terminals[0].card.egkFiles.at(EgkFile::Vd)), "000800FF00000000");
    EXPECT_THAT(Scenario::fromText("[terminal a]\nports = 1\ncard.pd = @pd.hex", dir.string()).error,
                HasSubstr("file 'pd.hex' does not hold hexadecimal text"));
    EXPECT_EQ(Scenario::fromFile((dir / "bad.scn").string()).error,
              (dir / "bad.scn").string() + ":4: 'tape' is not one of: none, kvk, egk, memory");
    EXPECT_EQ(Scenario::fromFile("/nonexistent/x.scn").error,
              "/nonexistent/x.scn: cannot read the scenario file");
}

} // namespace
} // namespace kc::sim::test
