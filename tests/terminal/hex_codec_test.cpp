#include "terminal/hex_codec.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(HexCodec, HexToBytesStopsAtTheFirstBadPair) {
    const struct {
        const char* hex;
        QByteArray bytes;
    } cases[] = {
        {"2011000000", QByteArray("\x20\x11\x00\x00\x00", 5)},
        {"d27600", QByteArray("\xD2\x76\x00", 3)},
        {"D27600", QByteArray("\xD2\x76\x00", 3)},
        {"123", QByteArray("\x12", 1)},
        {"12ZZ34", QByteArray("\x12", 1)},
        {"G0", {}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexToBytes(QString::fromLatin1(c.hex)), c.bytes) << c.hex;
    EXPECT_EQ(BytesToHex(QByteArray("\x0A\xab\xcd\x90\x00", 5)), "0AABCD9000");
    EXPECT_EQ(HexByteAt("0A", 1), 10);
    EXPECT_EQ(HexByteAt("0A", 2), -1);
    EXPECT_EQ(HexByteAt("0A", 0), -1);
}

TEST(HexCodec, AsciiIsWindows1252ForEveryByte) {
    const struct {
        const char* hex;
        QString text;
    } cases[] = {
        {"44455A4156", "DEZAV"},        {"4142Z", "AB"},
        {"80", QString(QChar(0x20AC))}, {"9F", QString(QChar(0x0178))},
        {"81", QString(QChar(0x0081))}, {"DFE4", QString::fromUtf8("ßä")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexToAscii(QString::fromLatin1(c.hex)), c.text) << c.hex;
}

TEST(HexXorChecksum, RangesAndEmptyRange) {
    EXPECT_EQ(HexXorChecksum("0102FF", 1, 5), 0xFC);
    EXPECT_EQ(HexXorChecksum("0102FF", 3, 3), 0x02);
    EXPECT_EQ(HexXorChecksum("0102FF", 5, 1), 0x00);
    EXPECT_EQ(HexXorChecksum("0102FF", 1, 99), 0xFC);
}

} // namespace
} // namespace kc
