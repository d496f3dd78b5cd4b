#include "terminal/command_table.h"
#include "terminal/hex_codec.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(HexCodec, BytesAndTextBothWays) {
    EXPECT_EQ(HexToBytes("2011000000"), QByteArray("\x20\x11\x00\x00\x00", 5));
    EXPECT_EQ(HexToBytes("9000"), HexToBytes("9000"));
    EXPECT_EQ(HexToBytes("d27600"), QByteArray("\xD2\x76\x00", 3));
    EXPECT_EQ(HexToBytes("D27600"), QByteArray("\xD2\x76\x00", 3));
    EXPECT_EQ(BytesToHex(QByteArray("\x90\x00", 2)), "9000");
    EXPECT_EQ(BytesToHex(QByteArray("\x0A", 1)), "0A");
    EXPECT_EQ(BytesToHex(QByteArray("\xab\xcd", 2)), "ABCD");
}

TEST(HexCodec, MalformedHexStopsAtTheFirstBadPair) {
    EXPECT_EQ(HexToBytes("123"), QByteArray("\x12", 1));
    EXPECT_EQ(HexToBytes("12ZZ34"), QByteArray("\x12", 1));
    EXPECT_TRUE(HexToBytes("").isEmpty());
    EXPECT_TRUE(HexToBytes("G0").isEmpty());
    EXPECT_EQ(HexToAscii("4142Z"), "AB");
    EXPECT_EQ(HexByteAt("0A", 1), 10);
    EXPECT_EQ(HexByteAt("0A", 2), -1);
    EXPECT_EQ(HexByteAt("0A", 0), -1);
}

TEST(HexCodec, AsciiIsWindows1252ForEveryByte) {
    EXPECT_EQ(HexToAscii("44455A4156"), "DEZAV");
    EXPECT_EQ(HexToAscii("80"), QString(QChar(0x20AC)));
    EXPECT_EQ(HexToAscii("9F"), QString(QChar(0x0178)));
    EXPECT_EQ(HexToAscii("81"), QString(QChar(0x0081)));
    EXPECT_EQ(HexToAscii("DF"), QStringLiteral("ß"));
    EXPECT_EQ(HexToAscii("E4"), QStringLiteral("ä"));
}

TEST(HexXorChecksum, RangesAndEmptyRange) {
    EXPECT_EQ(HexXorChecksum("0102FF", 1, 5), 0xFC);
    EXPECT_EQ(HexXorChecksum("0102FF", 3, 3), 0x02);
    EXPECT_EQ(HexXorChecksum("0102FF", 5, 1), 0x00);
    EXPECT_EQ(HexXorChecksum("0102FF", 1, 99), 0xFC);
}

TEST(CommandTable, EntriesAreTheTerminalCommands) {
    const CommandTable& t = Commands();
    EXPECT_EQ(CommandTable::kEntryCount, 17);
    EXPECT_EQ(t.CmdRequestIcc1, "201201000101");
    EXPECT_EQ(t.CmdSelectKvkOldAid, "00A4040006D28000000101");
    EXPECT_EQ(t.CmdSelectKvkAid, "00A4040006D27600000101");
    EXPECT_EQ(t.CmdReadBinary, "00B0000000");
    EXPECT_EQ(t.CmdEjectIcc1, "201501010101");
    EXPECT_EQ(t.CmdResetCt, "2011000000");
    EXPECT_EQ(t.CmdGetStatusManufacturer, "2013004600");
    EXPECT_EQ(t.CmdGetStatusUnits, "2013008100");
    EXPECT_EQ(t.CmdEraseBinary, "000E0000");
    EXPECT_EQ(t.CmdResetIcc1, "20110100");
    EXPECT_EQ(t.CmdSelectDfHca, "00A4040C06D27600000102");
    EXPECT_EQ(t.CmdSelectEfPd, "00A4020C02D001");
    EXPECT_EQ(t.CmdSelectEfVd, "00A4020C02D002");
    EXPECT_EQ(t.CmdSelectEfGvd, "00A4020C02D003");
    EXPECT_EQ(t.CmdSelectEfStatusVd, "00A4020C02D00C");
    EXPECT_EQ(t.CmdReadBinarySfiGdo, "00B0820000");
    EXPECT_EQ(t.CmdEjectIcc1B, "201501000100");
}

} // namespace
} // namespace kc
