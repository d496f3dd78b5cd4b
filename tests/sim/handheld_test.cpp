#include "sim_test_helpers.h"

#include <fstream>

namespace kc::sim::test {
namespace {

std::string cardHex(const std::string& name) {
    std::ifstream in(scenariosDir() + "/cards/" + name);
    std::string text;
    in >> text;
    return ToHex(FromHex(text).value_or(Bytes{}));
}

Simulator fromScenarioFile(const std::string& name, const std::string& extra = "") {
    std::ifstream in(scenariosDir() + "/" + name);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return load(text + "\n" + extra);
}

TEST(HandheldKvk, StoredRecordIsReadErasedAndThenGone) {
    Simulator simulator = fromScenarioFile("handheld-kvk.scn");
    ASSERT_EQ(simulator.init(1, 1), 0);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").response, "9500");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D27600000101").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0000000").response,
              cardHex("handheld_kvk_tk_apfel.hex") + "9000");
    const auto erase = simulator.transmit(1, kCard, "000E0000");
    EXPECT_EQ(erase.response, "9000");
    EXPECT_EQ(erase.sad, 0);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201501010101").response, "9000");
    EXPECT_FALSE(simulator.cardPresent(1));
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "6200");
    simulator.close(1);

    // The next session finds no record either.
    ASSERT_EQ(simulator.init(1, 1), 0);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "6200");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D27600000101").response, "6400");
}

TEST(HandheldKvk, EraseNotSupportedKeepsTheRecord) {
    Simulator simulator = fromScenarioFile("handheld-kvk.scn", "override 000E0000 = 6D00\n");
    simulator.init(1, 1);
    simulator.transmit(1, kTerminal, "201201000101");
    EXPECT_EQ(simulator.transmit(1, kCard, "000E0000").response, "6D00");
    EXPECT_TRUE(simulator.cardPresent(1));
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "9000");
}

TEST(HandheldKvk, EraseFailingWithACtApiCodeKeepsTheRecord) {
    Simulator simulator = fromScenarioFile("handheld-kvk.scn", "override 000E0000 = -10, pass\n");
    simulator.init(1, 1);
    EXPECT_EQ(simulator.transmit(1, kCard, "000E0000").code, -10);
    EXPECT_TRUE(simulator.cardPresent(1));
    EXPECT_EQ(simulator.transmit(1, kCard, "000E0000").response, "9000");
    EXPECT_FALSE(simulator.cardPresent(1));
}

TEST(HandheldEgk, StoredRecordIsReadByShortFileIdentifiersAndErased) {
    Simulator simulator = fromScenarioFile("handheld-egk.scn");
    ASSERT_EQ(simulator.init(1, 8193), 0);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").response, "9500");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "9001");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040C06D27600000102").response, "9000");

    // The capacities the program passes: asked length + 2.
    const auto status = simulator.transmit(1, kCard, "00B08C0000", 258);
    const auto pd = simulator.transmit(1, kCard,
                                       "00B0810000"
                                       "0000",
                                       852);
    const auto vd = simulator.transmit(1, kCard,
                                       "00B0820000"
                                       "0000",
                                       1252);
    EXPECT_EQ(status.response, cardHex("handheld_egk_status_extended.hex") + "9000");
    EXPECT_EQ(status.response.size(), (69u + 2) * 2);
    EXPECT_EQ(pd.response, cardHex("EGKG2_80276883110000017222__EF_PD.hex") + "9000");
    EXPECT_EQ(vd.response, cardHex("EGKG2_80276883110000017222__EF_VD.hex") + "9000");

    EXPECT_EQ(simulator.transmit(1, kCard, "000E0000").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201501000100").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "6200");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040C06D27600000102").response, "6400");
}

TEST(HandheldEgk, RecordLargerThanTheRoomGivesMemoryError) {
    Simulator simulator = fromScenarioFile("handheld-egk.scn");
    simulator.init(1, 8193);
    simulator.transmit(1, kCard, "00A4040C06D27600000102");
    // EF.VD holds 687 bytes; room for 500 is too little.
    EXPECT_EQ(simulator
                  .transmit(1, kCard,
                            "00B0820000"
                            "0000",
                            502)
                  .code,
              -11);
}

} // namespace
} // namespace kc::sim::test
