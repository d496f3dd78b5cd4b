// SPDX-License-Identifier: Apache-2.0
#include "atr.h"
#include "data_rows.h"
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

class AnswerToReset : public ::testing::TestWithParam<QStringList> {};

TEST_P(AnswerToReset, TellsTheKindOfCardAndItsHistoricalBytes) {
    const QStringList& c = GetParam();
    const Bytes atr = H(c[1].toLatin1());
    EXPECT_EQ(KindOfCard(atr), c[2] == QLatin1String("Memory") ? CardKind::Memory : CardKind::Processor);
    EXPECT_EQ(HistoricalBytes(atr),
              c[3] == QLatin1String("-") ? std::nullopt : std::optional(H(c[3].toLatin1())));
}

INSTANTIATE_TEST_SUITE_P(PcscRules, AnswerToReset,
                         ::testing::ValuesIn(test::CaseRows("drivers/pcsc/atr_kinds.txt")),
                         test::FirstCellName());

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
