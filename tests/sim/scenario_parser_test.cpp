#include "sim_test_helpers.h"

#include "sim/scenario.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

namespace kc::sim::test {
namespace {

using ::testing::HasSubstr;

Scenario parse(std::string_view text) {
    auto loaded = Scenario::fromText(text, scenariosDir());
    EXPECT_TRUE(loaded) << loaded.error;
    return loaded ? std::move(*loaded) : Scenario{};
}

Bytes hexFile(const std::string& relativePath) {
    std::ifstream in(scenariosDir() + "/" + relativePath);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return FromHex(text).value_or(Bytes{});
}

TEST(ScenarioParser, BuiltInScenarioIsTheDeskTerminalWithAnEgk) {
    const Scenario scenario = Scenario::builtIn();
    EXPECT_EQ(scenario.defaultPortResult, -10);
    ASSERT_EQ(scenario.terminals.size(), 1u);
    const TerminalSetup& desk = scenario.terminals[0];
    EXPECT_EQ(desk.ports, std::vector<uint16_t>{8192});
    EXPECT_EQ(desk.kind, TerminalKind::Stationary);
    EXPECT_EQ(ToHex(desk.getStatus46), ToHex(Bytes{0x46, 0x0F, 'D', 'E', 'Z', 'A', 'V', 'Q', 'K', 'T', '-',
                                                   '4', '3', '.', '1', '.', '0', 0x90, 0x00}));
    EXPECT_EQ(ToHex(desk.resetCt), "9000");
    EXPECT_EQ(desk.card.type, CardType::Egk);
    EXPECT_EQ(desk.card.egkFiles.at(EgkFile::Gdo), hexFile("cards/EGKG2_80276883110000017222__EF_GDO.hex"));
    EXPECT_EQ(desk.card.egkFiles.at(EgkFile::Vd), hexFile("cards/EGKG2_80276883110000017222__EF_VD.hex"));
    EXPECT_EQ(desk.card.egkFiles.at(EgkFile::Pd), hexFile("cards/EGKG2_80276883110000017222__EF_PD.hex"));
    EXPECT_EQ(desk.card.egkFiles.at(EgkFile::Gvd), hexFile("cards/EGKG2_80276883110000017222__EF_GVD.hex"));
    EXPECT_EQ(desk.card.egkFiles.at(EgkFile::StatusVd),
              hexFile("cards/EGKG2_80276883110000017222__EF_StatusVD.hex"));
    EXPECT_EQ(desk.card.egkFiles.at(EgkFile::StatusVd).size(), 25u);
}

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

TEST(ScenarioParser, ReadsEverySettingOfATerminal) {
    const Scenario scenario = parse(R"(
# A comment line
[ports]
default = -8
3 = -127          # in use
0x2005 = 0, -10 x2, -127

[terminal q3]
ports = 2, 0x2001
kind = handheld
init = 0 x2, -10
close = -1
get-status-81 = 6D00
get-status-46 = 46 0F "DE#AV" "QMT3 " "1.0.0" 9000
usb-info = 12 01 00 02 90 00
baudrate = fail
line-speed = 9600
output = display-error
locked = keycard
oversize = claim
card = egk
card.arrives-after = 3
card.removed-after = 6
card.back-after = 1500
card.pd = 00 02 AB cd
card.protected = gvd, statusvd
card.hca = deactivated
override 20 12 01 = 6200 x2, pass, -10, ct:6985, card:empty, 0A
)");
    EXPECT_EQ(scenario.defaultPortResult, -8);
    EXPECT_EQ(scenario.portResults.at(3), std::vector<int8_t>{-127});
    EXPECT_EQ(scenario.portResults.at(0x2005), (std::vector<int8_t>{0, -10, -10, -127}));
    ASSERT_EQ(scenario.terminals.size(), 1u);
    const TerminalSetup& t = scenario.terminals[0];
    EXPECT_EQ(t.name, "q3");
    EXPECT_EQ(t.ports, (std::vector<uint16_t>{2, 8193}));
    EXPECT_EQ(t.kind, TerminalKind::Handheld);
    EXPECT_EQ(t.initResults, (std::vector<int8_t>{0, 0, -10}));
    EXPECT_EQ(t.closeResult, -1);
    EXPECT_EQ(ToHex(t.getStatus81), "6D00");
    EXPECT_EQ(std::string(t.getStatus46.begin() + 2, t.getStatus46.end() - 2), "DE#AVQMT3 1.0.0");
    EXPECT_EQ(ToHex(t.resetCt), "9500") << "a handheld answers RESET CT with 9500 unless told otherwise";
    EXPECT_EQ(ToHex(t.usbInfo), "120100029000");
    EXPECT_FALSE(t.baudrate.has_value());
    EXPECT_EQ(t.lineSpeed, 9600);
    EXPECT_EQ(t.output, OutputMedium::DisplayError);
    EXPECT_EQ(t.locked, LockState::KeyCard);
    EXPECT_EQ(t.oversize, OversizePolicy::Claim);
    EXPECT_EQ(t.card.type, CardType::Egk);
    EXPECT_EQ(t.card.arrivesAfter, 3);
    EXPECT_EQ(t.card.removedAfter, 6);
    EXPECT_EQ(t.card.backAfterMs, std::optional<int>(1500));
    EXPECT_EQ(ToHex(t.card.egkFiles.at(EgkFile::Pd)), "0002ABCD");
    EXPECT_EQ(t.card.protectedFiles, (std::set<EgkFile>{EgkFile::Gvd, EgkFile::StatusVd}));
    EXPECT_EQ(t.card.hca, HcaState::Deactivated);

    ASSERT_EQ(t.overrides.size(), 1u);
    EXPECT_EQ(ToHex(t.overrides[0].prefix), "201201");
    const auto& answers = t.overrides[0].answers;
    ASSERT_EQ(answers.size(), 7u);
    EXPECT_EQ(answers[0].kind, Answer::Kind::Response);
    EXPECT_EQ(ToHex(answers[1].response), "6200");
    EXPECT_EQ(answers[2].kind, Answer::Kind::Pass);
    EXPECT_EQ(answers[3].kind, Answer::Kind::Code);
    EXPECT_EQ(answers[3].code, -10);
    EXPECT_EQ(answers[4].sad, std::optional<uint8_t>(1));
    EXPECT_EQ(ToHex(answers[4].response), "6985");
    EXPECT_EQ(answers[5].sad, std::optional<uint8_t>(0));
    EXPECT_TRUE(answers[5].response.empty());
    EXPECT_EQ(ToHex(answers[6].response), "0A");
    EXPECT_FALSE(answers[6].sad.has_value());
}

TEST(ScenarioParser, AcceptsWindowsLineEndingsAndKvkSettings) {
    const Scenario scenario = parse("[terminal a]\r\nports = 1\r\ncard = kvk\r\ncard.record = "
                                    "@cards/kvk_tk_apfel.hex\r\ncard.aid = both\r\n");
    ASSERT_EQ(scenario.terminals.size(), 1u);
    EXPECT_EQ(scenario.terminals[0].card.kvkRecord, hexFile("cards/kvk_tk_apfel.hex"));
    EXPECT_EQ(scenario.terminals[0].card.kvkRecord.size(), 142u);
    EXPECT_EQ(scenario.terminals[0].card.kvkAid, KvkAid::Both);
    EXPECT_EQ(ToHex(scenario.terminals[0].resetCt), "9000");
}

TEST(ScenarioParser, TakesRawBytesFromAFileThatIsNotHexText) {
    const auto dir = std::filesystem::temp_directory_path() / "mktsim_parser_test";
    std::filesystem::create_directories(dir);
    {
        std::ofstream raw(dir / "gdo.bin", std::ios::binary);
        raw.write("\x5A\x02\x01\x02", 4);
        std::ofstream hex(dir / "vd.hex");
        hex << "# header\n0008 00FF\n  0000 0000 # no GVD\n";
    }
    auto loaded = Scenario::fromText(
        "[terminal a]\nports = 1\ncard = egk\ncard.gdo = @gdo.bin\ncard.vd = @vd.hex\n", dir.string());
    ASSERT_TRUE(loaded) << loaded.error;
    EXPECT_EQ(ToHex(loaded->terminals[0].card.egkFiles.at(EgkFile::Gdo)), "5A020102");
    EXPECT_EQ(ToHex(loaded->terminals[0].card.egkFiles.at(EgkFile::Vd)), "000800FF00000000");
    std::filesystem::remove_all(dir);
}

struct MalformedCase {
    const char* name;
    const char* text;
    const char* error;
};

void PrintTo(const MalformedCase& malformed, std::ostream* out) {
    *out << malformed.name;
}

class MalformedScenario : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedScenario, IsRefusedWithFileLineAndReason) {
    const auto loaded = Scenario::fromText(GetParam().text, scenariosDir());
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loaded.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedScenario,
    ::testing::Values(
        MalformedCase{"SettingBeforeSection", "ports = 1", "scenario:1: setting before the first section"},
        MalformedCase{"UnknownKey", "[terminal a]\nports = 1\nfoo = 1", "scenario:3: unknown key 'foo'"},
        MalformedCase{"UnknownCardKey", "[terminal a]\nports = 1\ncard.colour = red",
                      "scenario:3: unknown key 'card.colour'"},
        MalformedCase{"TerminalWithoutPorts", "[terminal a]\nbaudrate = 9600\n\n",
                      "scenario:1: terminal 'a' has no 'ports'"},
        MalformedCase{"PortsGivenTwice", "[terminal a]\nports = 1\nports = 2",
                      "scenario:3: 'ports' given twice"},
        MalformedCase{"PortOfTwoTerminals", "[terminal a]\nports = 1\n[terminal b]\nports = 2, 1",
                      "scenario:4: port 1 named twice"},
        MalformedCase{"PortInTableAndTerminal", "[ports]\n3 = -127\n[terminal a]\nports = 3",
                      "scenario:4: port 3 named twice"},
        MalformedCase{"OddHexDigits", "[terminal a]\nports = 1\nreset-ct = 900",
                      "scenario:3: odd number of hex digits in '900'"},
        MalformedCase{"NotHex", "[terminal a]\nports = 1\nreset-ct = 90ZZ",
                      "scenario:3: '90ZZ' is not hexadecimal"},
        MalformedCase{"PortOutOfRange", "[terminal a]\nports = 70000",
                      "scenario:2: '70000' is out of range 0..65535"},
        MalformedCase{"PortNotANumber", "[terminal a]\nports = com1", "scenario:2: 'com1' is not a number"},
        MalformedCase{"CodeOutOfRange", "[terminal a]\nports = 1\ninit = -200",
                      "scenario:3: '-200' is out of range -128..127"},
        MalformedCase{"UnknownCardType", "[terminal a]\nports = 1\ncard = floppy",
                      "scenario:3: 'floppy' is not one of: none, kvk, egk, memory"},
        MalformedCase{"UnknownProtectedFile", "[terminal a]\nports = 1\ncard.protected = gvd, ef.foo",
                      "scenario:3: 'ef.foo' is not one of: gdo, vd, pd, gvd, statusvd"},
        MalformedCase{"KvkWithoutRecord", "[terminal a]\nports = 1\ncard = kvk\n[terminal b]\nports = 2",
                      "scenario:1: terminal 'a' has a kvk card without 'card.record'"},
        MalformedCase{"MissingFile", "[terminal a]\nports = 1\ncard.vd = @cards/missing.hex",
                      "scenario:3: cannot read file 'cards/missing.hex'"},
        MalformedCase{"AtWithoutName", "[terminal a]\nports = 1\nget-status-81 = @",
                      "scenario:3: '@' without a file name"},
        MalformedCase{"AtInsideBytes", "[terminal a]\nports = 1\nget-status-81 = 90 @x.hex",
                      "scenario:3: '@file' must be the whole value"},
        MalformedCase{"UnclosedQuote", "[terminal a]\nports = 1\nget-status-46 = 46 0F \"DEZAV",
                      "scenario:3: quoted text without closing quote"},
        MalformedCase{"UnknownSection", "[bogus]", "scenario:1: unknown section 'bogus'"},
        MalformedCase{"TerminalWordRunOn", "[terminalfoo]", "scenario:1: unknown section 'terminalfoo'"},
        MalformedCase{"TerminalWithoutName", "[terminal]",
                      "scenario:1: terminal section needs a name of letters, digits, '-' and '_'"},
        MalformedCase{"TerminalNameWithBlank", "[terminal front desk]",
                      "scenario:1: terminal section needs a name of letters, digits, '-' and '_'"},
        MalformedCase{"TerminalTwice", "[terminal a]\nports = 1\n[terminal a]",
                      "scenario:3: terminal 'a' defined twice"},
        MalformedCase{"HeaderWithoutBracket", "[ports\n", "scenario:1: section header without ']'"},
        MalformedCase{"LineWithoutEquals", "[terminal a]\nports = 1\njust text",
                      "scenario:3: expected 'key = value' or '[section]'"},
        MalformedCase{"EmptyValue",
                      "[terminal a]\nports = 1\nbaudrate =", "scenario:3: 'baudrate' has no value"},
        MalformedCase{"EmptyKey", "[terminal a]\n = 1", "scenario:2: setting without a key"},
        MalformedCase{"OverrideWithoutPrefix", "[terminal a]\nports = 1\noverride = 9000",
                      "scenario:3: override needs a hexadecimal command prefix"},
        MalformedCase{"OverrideBadPrefix", "[terminal a]\nports = 1\noverride 20ZZ = 9000",
                      "scenario:3: override needs a hexadecimal command prefix"},
        MalformedCase{"RepeatZero", "[terminal a]\nports = 1\noverride 2012 = 6200 x0",
                      "scenario:3: '0' is out of range 1..100000"},
        MalformedCase{"EmptyAnswer", "[terminal a]\nports = 1\noverride 2012 = 6200,,9000",
                      "scenario:3: empty answer in '6200,,9000'"},
        MalformedCase{"BinaryGarbage", "\x01\xFF\xFE garbage\x7F",
                      "scenario:1: expected 'key = value' or '[section]'"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ScenarioParser, MissingScenarioFileIsReportedWithItsPath) {
    const auto loaded = Scenario::fromFile("/nonexistent/x.scn");
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loaded.error, "/nonexistent/x.scn: cannot read the scenario file");
}

TEST(ScenarioParser, ErrorsInAFileNameTheFile) {
    const auto path = std::filesystem::temp_directory_path() / "mktsim_bad.scn";
    {
        std::ofstream out(path);
        out << "[terminal a]\nports = 1\n\ncard = tape\n";
    }
    const auto loaded = Scenario::fromFile(path.string());
    EXPECT_EQ(loaded.error, path.string() + ":4: 'tape' is not one of: none, kvk, egk, memory");
    std::filesystem::remove(path);
}

TEST(ScenarioParser, HexFileWithForeignCharactersIsRefused) {
    const auto dir = std::filesystem::temp_directory_path() / "mktsim_parser_bad_hex";
    std::filesystem::create_directories(dir);
    {
        std::ofstream hex(dir / "pd.hex");
        hex << "0102 zz";
    }
    const auto loaded = Scenario::fromText("[terminal a]\nports = 1\ncard.pd = @pd.hex", dir.string());
    EXPECT_THAT(loaded.error, HasSubstr("file 'pd.hex' does not hold hexadecimal text"));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace kc::sim::test
