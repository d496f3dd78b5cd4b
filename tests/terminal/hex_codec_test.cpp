// SPDX-License-Identifier: Apache-2.0
#include "terminal/hex_codec.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(HexCodec, HexToBytesStopsAtTheFirstBadPair) {
    EXPECT_EQ(HexToBytes("d2760A"), QByteArray("\xD2\x76\x0A", 3));
    EXPECT_EQ(HexToBytes("123"), QByteArray("\x12", 1));
    EXPECT_EQ(HexToBytes("12ZZ34"), QByteArray("\x12", 1));
    EXPECT_EQ(HexToBytes("121G"), QByteArray("\x12", 1)); // one bad digit spoils its pair
    EXPECT_EQ(BytesToHex(QByteArray("\x0A\xab\x00", 3)), "0AAB00");
    EXPECT_EQ(HexByteAt("0A", 1), 10);
    EXPECT_EQ(HexByteAt("0A", 2), -1);
    EXPECT_EQ(HexByteAt("0A", 0), -1);
}

TEST(HexCodec, AsciiIsWindows1252ForEveryByte) {
    EXPECT_EQ(HexToAscii("4142Z"), "AB");
    const QChar expected[] = {QChar(0x20AC), QChar(0x0178), QChar(0x0081), QChar(0xDF)};
    EXPECT_EQ(HexToAscii("809F81DF"), QString(expected, 4));
}

TEST(HexXorChecksum, RangesAndEmptyRange) {
    EXPECT_EQ(HexXorChecksum("0102FF", 3, 3), 0x02);
    EXPECT_EQ(HexXorChecksum("0102FF", 5, 1), 0x00);
    EXPECT_EQ(HexXorChecksum("0102FF", 1, 99), 0xFC);
}

} // namespace
} // namespace kc
