// SPDX-License-Identifier: Apache-2.0
#include "ctapi/apdu.h"
#include "data_rows.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc::ctapi {
namespace {

Bytes H(const QString& hex) {
    return FromHex(hex.toStdString()).value();
}

class ApduLengths : public ::testing::TestWithParam<QStringList> {};

// A row of tests/data/ctapi/apdu_lengths.txt: header, Lc against the data, Le,
// short and extended forms, and the mixtures that do not add up.
TEST_P(ApduLengths, AddUpOrTheCommandIsRefused) {
    const QStringList& c = GetParam();
    const Bytes bytes = H(c[1]); // the parsed data point into it
    const auto apdu = Apdu::parse(bytes);
    ASSERT_EQ(apdu.has_value(), c[2] == QLatin1String("1"));
    if (!apdu)
        return;
    EXPECT_EQ(Bytes(apdu->data.begin(), apdu->data.end()), H(c[3]));
    EXPECT_EQ(apdu->ne ? long(*apdu->ne) : -1L, c[4].toLong());
    EXPECT_EQ(apdu->neIsWildcard, c[5] == QLatin1String("1"));
    EXPECT_EQ(apdu->extended, c[6] == QLatin1String("1"));
}

INSTANTIATE_TEST_SUITE_P(Apdu, ApduLengths, ::testing::ValuesIn(test::CaseRows("ctapi/apdu_lengths.txt")),
                         test::FirstCellName());

// Hex text as scenario files and traces hold it: blanks and line breaks
// between digits, either case; a digit left over or anything else refuses it.
TEST(HexText, DigitsInPairsWithBlanksOrNothing) {
    EXPECT_EQ(FromHex("9f 00\r\n\tab"), Bytes({0x9F, 0x00, 0xAB}));
    EXPECT_EQ(FromHex(""), Bytes());
    for (const char* refused : {"120", "1", "0g", "12-34", "9:"})
        EXPECT_EQ(FromHex(refused), std::nullopt) << refused;
    EXPECT_EQ(ToHex(Bytes({0x0A, 0xF0, 0x5C})), "0AF05C");
}

} // namespace
} // namespace kc::ctapi
