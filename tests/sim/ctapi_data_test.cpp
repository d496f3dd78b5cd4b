// SPDX-License-Identifier: Apache-2.0
// CT_data with its pointers as the exported functions pass them on: the addresses
// swapped, bad arguments refused, and an answer never written past the room.
#include "data_rows.h"
#include "sim_test_helpers.h"

#include <array>

namespace kc::sim::test {
namespace {

// The same card behind ports 8192, 1 (truncating) and 2 (claiming); port 3 answers with a code.
Simulator Terminals() {
    std::string text = "[terminal codes]\nports = 3\noverride 2011000000 = -10\n";
    for (const char* ports : {"8192\n", "1\noversize = truncate\n", "2\noversize = claim\n"})
        text += std::string("[terminal t") + ports[0] + "]\nports = " + ports +
                "card = egk\ncard.gdo = @cards/EGKG2_80276883110000017222__EF_GDO.hex\n";
    return load(text);
}

class CtDataCase : public ::testing::TestWithParam<QStringList> {};

// One call of tests/data/sim/ctapi_data/room_and_addresses.txt.
TEST_P(CtDataCase, WritesOnlyWhatFitsAndSwapsTheAddresses) {
    const QStringList& c = GetParam();
    Simulator simulator = Terminals();
    ASSERT_EQ(simulator.init(1, c[1].toUShort()), 0);
    std::array<uint8_t, 20> response;
    response.fill(0xEE);
    const Bytes command = *FromHex(c[2].toStdString());
    uint8_t dad = uint8_t(c[3].toUInt()), sad = 2;
    uint16_t lenr = c[4].toUShort();
    EXPECT_EQ(simulator.data(1, &dad, &sad, command.size(), command.data(), &lenr, response.data()),
              c[5].toInt());
    EXPECT_EQ(QStringList({QString::number(dad), QString::number(sad), QString::number(lenr)}), c.mid(6, 3));
    EXPECT_EQ(ToHex(std::span(response.data(), std::size_t(c[9].size() / 2))), c[9].toStdString());
}

INSTANTIATE_TEST_SUITE_P(CtData, CtDataCase,
                         ::testing::ValuesIn(kc::test::CaseRows("sim/ctapi_data/room_and_addresses.txt")),
                         kc::test::FirstCellName());

TEST(CtDataArguments, AreRefusedOutsideASessionOrWhenMissing) {
    Simulator simulator = Simulator::builtIn();
    std::array<uint8_t, 16> response{};
    const uint8_t command[] = {0x20, 0x11, 0x00, 0x00, 0x00};
    uint8_t dad = 1, sad = 2;
    uint16_t lenr = response.size();
    EXPECT_EQ(simulator.data(1, &dad, &sad, 5, command, &lenr, response.data()), -1) << "no session";
    ASSERT_EQ(simulator.init(1, 8192), 0);
    EXPECT_EQ(simulator.data(1, nullptr, &sad, 5, command, &lenr, response.data()), -1);
    EXPECT_EQ(simulator.data(1, &dad, &sad, 5, command, &lenr, nullptr), -1);
    EXPECT_EQ(simulator.data(1, &dad, &sad, 0, command, &lenr, response.data()), -1) << "empty command";
    EXPECT_EQ(simulator.getBaudrate(1, nullptr), -1);
    EXPECT_EQ(lenr, response.size());
}

TEST(ExchangeLog, RecordsEveryDataCallUntilSwitchedOff) {
    Simulator simulator = Simulator::builtIn();
    simulator.transmit(1, kTerminal, "2011000000");
    simulator.init(1, 8192);
    simulator.transmit(1, kCard, "00b0820000", 100);
    const auto& log = simulator.exchanges();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].code, -1);
    EXPECT_EQ(std::tie(log[1].ctn, log[1].dad, log[1].capacity, log[1].command, log[1].sad, log[1].code),
              std::make_tuple(1, 0, 100, "00B0820000", 0, 0));
    simulator.clearExchanges();
    simulator.setExchangeLogging(false);
    simulator.transmit(1, kTerminal, "2011000000");
    EXPECT_TRUE(simulator.exchanges().empty());
}

} // namespace
} // namespace kc::sim::test
