// SPDX-License-Identifier: Apache-2.0
#include "atr.h"
#include "port_numbers.h"
#include "terminal_answers.h"
#include "test_printers.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace kc::pcsc {
namespace {

Bytes H(const QByteArray& hex) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    return Bytes(bytes.begin(), bytes.end());
}

TEST(PcscRules, KindOfCardFromTheAnswerToReset) {
    const struct {
        const char* atr;
        CardKind kind;
        const char* historical; // nullptr: none found
    } cases[] = {
        {"3BD396FF81B1FE451F078081052D", CardKind::Processor, "808105"}, // eGK-like T=1
        {"3B8F8001804F0CA000000306030001000000006A", CardKind::Memory, "804F0CA00000030603000100000000"},
        {"A2131091", CardKind::Memory, nullptr},                                 // synchronous card's own
        {"3F021122", CardKind::Processor, "1122"},                               // inverse convention
        {"3B888001804F0CA00000030700", CardKind::Processor, "804F0CA000000307"}, // other RID
        {"3BF011", CardKind::Processor, nullptr},   // interface bytes past the end
        {"3B050102", CardKind::Processor, nullptr}, // historical bytes past the end
        {"", CardKind::Processor, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.atr);
        EXPECT_EQ(KindOfCard(H(c.atr)), c.kind);
        EXPECT_EQ(HistoricalBytes(H(c.atr)),
                  c.historical ? std::optional<Bytes>(H(c.historical)) : std::nullopt);
    }
}

TEST(PcscRules, PortNumbersNameReadersInTheOrderOfTheirNames) {
    const std::vector<std::string> readers{"Zeta Reader 00 00", "Alpha Reader 00 00", "Alpha Reader 00 01"};
    EXPECT_EQ(ReaderForPort(0x2000, readers), "Alpha Reader 00 00");
    EXPECT_EQ(ReaderForPort(0x2002, readers), "Zeta Reader 00 00");
    EXPECT_EQ(ReaderForPort(0x2003, readers), std::nullopt);
    EXPECT_EQ(ReaderForPort(0x1FFF, readers), std::nullopt);
    EXPECT_EQ(ReaderForPort(0x2100, std::vector<std::string>(300, "R")), std::nullopt);
}

TEST(PcscRules, ManufacturerObjectKeepsAOneByteLength) {
    EXPECT_EQ(ManufacturerObject("R"), H("4610" + QByteArray("KARTOPC/SC1.0.0R").toHex() + "9000"));
    const Bytes longName = ManufacturerObject(std::string(300, 'x'));
    EXPECT_EQ(longName[1], 0x7F);
    EXPECT_EQ(longName.size(), 2u + 0x7F + 2u);
}

} // namespace
} // namespace kc::pcsc
