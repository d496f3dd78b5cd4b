// SPDX-License-Identifier: Apache-2.0
#include "ctapi/bytes.h"

#include <gtest/gtest.h>

namespace kc::ctapi {
namespace {

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
