#include "sim_test_helpers.h"

#include <fstream>

namespace kc::sim::test {
namespace {

constexpr uint16_t kUsb1 = 8192;

std::string cardFileHex(const std::string& name) {
    std::ifstream in(scenariosDir() + "/cards/EGKG2_80276883110000017222__EF_" + name + ".hex");
    std::string text;
    in >> text;
    return ToHex(FromHex(text).value_or(Bytes{}));
}

// Hex digits of bytes [offset, offset + count) of a hex text.
std::string slice(const std::string& hex, std::size_t offset, std::size_t count) {
    return hex.substr(offset * 2, count * 2);
}

class EgkCard : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(simulator.init(1, kUsb1), 0); }

    Transmitted card(std::string_view command, uint16_t capacity = 4098) {
        return simulator.transmit(1, kCard, command, capacity);
    }

    Simulator simulator = Simulator::builtIn();
    const std::string vd = cardFileHex("VD");
    const std::string pd = cardFileHex("PD");
    const std::string gvd = cardFileHex("GVD");
    const std::string statusVd = cardFileHex("StatusVD");
};

TEST_F(EgkCard, ReadsTheFilesInTheOrderOfACardRead) {
    EXPECT_EQ(simulator.transmit(1, kTerminal, "20110100").response, "9001");
    EXPECT_EQ(card("00B0820000").response, "5A0A80276883110000017222"
                                           "9000");
    EXPECT_EQ(card("00A4040C06D27600000102").response, "9000");
    EXPECT_EQ(card("00A4020C02D002").response, "9000");
    EXPECT_EQ(card("00B0000004").response, "000801AE9000");
    EXPECT_EQ(card("00A4040C06D27600000102").response, "9000");
    EXPECT_EQ(card("00A4020C02D001").response, "9000");
    EXPECT_EQ(card("00B0000002").response, "017C9000");
    EXPECT_EQ(card("00A4020C02D003").response, "9000");
    EXPECT_EQ(card("00B0000002").response, slice(gvd, 0, 2) + "9000");
    EXPECT_EQ(card("00A4020C02D00C").response, "9000");
    EXPECT_EQ(card("00B0000019").response, statusVd + "9000");
    for (const auto& exchange : simulator.exchanges())
        EXPECT_EQ(exchange.sad, exchange.command.starts_with("20") ? 1 : 0) << exchange.command;
}

TEST_F(EgkCard, ChunkedReadByOffsetReturnsTheFileStretches) {
    card("00A4040C06D27600000102");
    card("00A4020C02D002");
    // 600 bytes from offset 8, in chunks of 254, 254 and 92.
    const auto first = card("00B00008FE");
    const auto second = card("00B00106FE");
    const auto third = card("00B002045C");
    EXPECT_EQ(first.response, slice(vd, 8, 254) + "9000");
    EXPECT_EQ(second.response, slice(vd, 262, 254) + "9000");
    EXPECT_EQ(third.response, slice(vd, 516, 92) + "9000");
}

TEST_F(EgkCard, ExplicitLePastTheEndReturnsTheRestWith6282) {
    ASSERT_EQ(vd.size() / 2, 687u);
    card("00A4040C06D27600000102");
    card("00A4020C02D002");
    EXPECT_EQ(card("00B002A0FE").response, slice(vd, 672, 15) + "6282");
    EXPECT_EQ(card("00B002AF01").response, "6282") << "at the very end nothing is left";
    EXPECT_EQ(card("00B002B001").response, "6B00") << "an offset beyond the end";
}

TEST_F(EgkCard, WildcardLeReturnsWhatTheFileHoldsWith9000) {
    card("00A4040C06D27600000102");
    card("00A4020C02D002");
    EXPECT_EQ(card("00B0000000").response, slice(vd, 0, 256) + "9000");
    EXPECT_EQ(card("00B0020000").response, slice(vd, 512, 175) + "9000");
}

TEST_F(EgkCard, ExtendedLengthForms) {
    card("00A4040C06D27600000102");
    // Le 0000 by short file identifier: the whole of EF.PD.
    EXPECT_EQ(card("00B0810000"
                   "0000")
                  .response,
              pd + "9000");
    EXPECT_EQ(card("00B0820000"
                   "0000")
                  .response,
              vd + "9000");
    // An explicit extended Le beyond the file.
    EXPECT_EQ(card("00B0820000"
                   "0300")
                  .response,
              vd + "6282");
    EXPECT_EQ(card("00B0820000"
                   "0010")
                  .response,
              slice(vd, 0, 16) + "9000");
}

TEST_F(EgkCard, ShortFileIdentifiersDependOnTheSelectedFolder) {
    EXPECT_EQ(card("00B0820000").response, "5A0A80276883110000017222"
                                           "9000")
        << "at MF, SFI 02 is EF.GDO";
    EXPECT_EQ(card("00B08C0000").response, "6A82") << "EF.StatusVD is not at the MF";
    card("00A4040C06D27600000102");
    EXPECT_EQ(card("00B0820000").response, slice(vd, 0, 256) + "9000") << "in DF.HCA, SFI 02 is EF.VD";
    EXPECT_EQ(card("00B08C0000").response, statusVd + "9000");
    ASSERT_EQ(gvd.size() / 2, 258u);
    EXPECT_EQ(card("00B0830000").response, slice(gvd, 0, 256) + "9000") << "Le 00 gives at most 256 bytes";
    EXPECT_EQ(card("00B0850000").response, "6A82");
    // Reading by SFI makes that file the current one.
    EXPECT_EQ(card("00B0000102").response, slice(gvd, 1, 2) + "9000");
}

TEST_F(EgkCard, RefusesWhatIsNotThere) {
    EXPECT_EQ(card("00B0000004").response, "6986") << "no current EF after power-on";
    EXPECT_EQ(card("00A4020C02D002").response, "6A82") << "EF.VD is not at the MF";
    EXPECT_EQ(card("00A4040006D27600000101").response, "6A82") << "no KVK application on an eGK";
    card("00A4040C06D27600000102");
    EXPECT_EQ(card("00A4020C02D0FF").response, "6A82");
    EXPECT_EQ(card("00B0000004").response, "6986") << "selecting the DF leaves no current EF";
    EXPECT_EQ(card("00B000").response, "6700");
    EXPECT_EQ(card("00B00000").response, "6700") << "READ BINARY without Le";
    EXPECT_EQ(card("0084000008").response, "6D00");
    EXPECT_EQ(card("80B0000004").response, "6E00");
}

TEST_F(EgkCard, ResetReturnsToTheMasterFile) {
    card("00A4040C06D27600000102");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "20110100").response, "9001");
    EXPECT_EQ(card("00A4020C02D002").response, "6A82");
    card("00A4040C06D27600000102");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "2011000000").response, "9000");
    EXPECT_EQ(card("00B0820000").response, "5A0A80276883110000017222"
                                           "9000");
    card("00A4040C06D27600000102");
    EXPECT_EQ(card("00A4000C").response, "9000");
    EXPECT_EQ(card("00B0820000").response, "5A0A80276883110000017222"
                                           "9000");
}

Simulator egkWith(const std::string& extra) {
    return load("[terminal t]\nports = 1\ncard = egk\n"
                "card.gdo = @cards/EGKG2_80276883110000017222__EF_GDO.hex\n"
                "card.vd = @cards/EGKG2_80276883110000017222__EF_VD.hex\n"
                "card.gvd = @cards/EGKG2_80276883110000017222__EF_GVD.hex\n" +
                extra);
}

TEST(EgkCardVariants, ProtectedFileAnswers6982ToReadingButCanBeSelected) {
    Simulator simulator = egkWith("card.protected = gvd\n");
    simulator.init(1, 1);
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040C06D27600000102").sw(), "9000");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4020C02D003").sw(), "9000");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0000002").response, "6982");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0830000").response, "6982");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4020C02D002").sw(), "9000");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0000004").response, "000801AE9000");
}

TEST(EgkCardVariants, DeactivatedHealthApplicationAnswers6283AndIsNotEntered) {
    Simulator simulator = egkWith("card.hca = deactivated\n");
    simulator.init(1, 1);
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040C06D27600000102").response, "6283");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4020C02D002").response, "6A82");
}

TEST(EgkCardVariants, MissingHealthApplicationAnswers6A82) {
    Simulator simulator = egkWith("card.hca = missing\n");
    simulator.init(1, 1);
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040C06D27600000102").response, "6A82");
}

TEST(EgkCardVariants, AbsentFileAnswers6A82) {
    Simulator simulator = egkWith("");
    simulator.init(1, 1);
    simulator.transmit(1, kCard, "00A4040C06D27600000102");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4020C02D001").response, "6A82") << "no EF.PD in this image";
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0810000").response, "6A82");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4020C02D00C").response, "6A82");
}

TEST(MemoryCard, PowersUpWithout9001AndHoldsNothingSelectable) {
    Simulator simulator = load("[terminal t]\nports = 1\ncard = memory\n");
    simulator.init(1, 1);
    EXPECT_EQ(simulator.transmit(1, kTerminal, "201201000101").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kTerminal, "20110100").response, "9000");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040006D27600000101").response, "6A82");
    EXPECT_EQ(simulator.transmit(1, kCard, "00A4040C06D27600000102").response, "6A82");
    EXPECT_EQ(simulator.transmit(1, kCard, "00B0000000").response, "6986");
}

} // namespace
} // namespace kc::sim::test
