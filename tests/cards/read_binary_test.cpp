#include "card_test_support.h"
#include "egk/read_binary.h"
#include "sim_harness.h"
#include "terminal/command_table.h"
#include "terminal/hex_codec.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace kc {
namespace {

// An eGK whose EF.VD (1250 bytes) is selected, with extra override lines.
class ReadBinaryTest : public ::testing::Test {
  protected:
    void open(const QString& overrides = {}) {
        ASSERT_TRUE(
            h->loadText(QStringLiteral("[terminal desk]\nports = 8192\ncard = egk\n"
                                       "card.vd = @egk/cards/EGK_G2_1_80276883110000095711__EF_VD.hex\n") +
                        overrides))
            << qPrintable(h->loadError());
        ASSERT_EQ(h->session.OpenTerminal(8192), 0);
        QString response;
        ASSERT_EQ(h->session.TransmitApdu(Commands().CmdSelectDfHca, kToCard, response), 0);
        ASSERT_EQ(h->session.TransmitApdu(Commands().CmdSelectEfVd, kToCard, response), 0);
        ASSERT_EQ(response, QStringLiteral("9000"));
        h->clearLog();
        h->simulator().clearExchanges();
    }
    QByteArray file() {
        QFile f(test::SimHarness::ScenarioDir() +
                QStringLiteral("/egk/cards/EGK_G2_1_80276883110000095711__EF_VD.hex"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return HexToBytes(QString::fromLatin1(f.readAll()).simplified().remove(QLatin1Char(' ')));
    }
    ReadResult chunked(uint32_t offset, uint32_t length, uint32_t expected) {
        count = expected;
        return ReadBinaryChunked(h->session, kToCard, offset, length, buffer, count);
    }
    std::vector<uint16_t> capacities() {
        std::vector<uint16_t> rooms;
        for (const auto& exchange : h->simulator().exchanges())
            rooms.push_back(exchange.capacity);
        return rooms;
    }

    std::unique_ptr<test::SimHarness> h = std::make_unique<test::SimHarness>();
    QByteArray buffer;
    uint32_t count = 0;
};

TEST_F(ReadBinaryTest, ChunksOfAReadAndWhatTheyBring) {
    // The first chunk of the second case brings 100 bytes instead of 254; the next starts right after them.
    const QString shortFirst =
        QStringLiteral("override 00B00000FE = %1 9000\n").arg(BytesToHex(file().left(100)));
    struct Case {
        QString overrides;
        uint32_t offset, length, expected;
        QStringList commands;
        std::vector<uint16_t> capacities; // empty: not compared
        ReadResult result = ReadResult::Done;
        uint32_t count = 0; // 0: the length
    };
    const Case cases[] = {
        Case({}, 8, 600, 600, {"00B00008FE", "00B00106FE", "00B002045C"}, {256, 256, 94}),
        Case(shortFirst, 0, 600, 600, {"00B00000FE", "00B00064FE", "00B00162F6"}, {}),
        Case({}, 0, 509, 509, {"00B00000FE", "00B000FEFF"}, {}),
        Case({}, 0, 2, 2, {"00B0000002"}, {}),
        Case({}, 0, 253, 253, {"00B00000FD"}, {}),
        // The end of the file ends the read short but successfully.
        Case({}, 1200, 100, 100, {"00B004B064"}, {}, ReadResult::Done, 50),
        // More data than expected fails instead of overrunning.
        Case({}, 0, 10, 5, {"00B000000A"}, {}, ReadResult::Failed, 0),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.offset) + "+" + std::to_string(c.length));
        h = std::make_unique<test::SimHarness>();
        open(c.overrides);
        EXPECT_EQ(chunked(c.offset, c.length, c.expected), c.result);
        EXPECT_EQ(h->commands(), c.commands);
        if (!c.capacities.empty()) {
            EXPECT_EQ(capacities(), c.capacities);
        }
        const uint32_t stored = c.result == ReadResult::Failed ? 0 : (c.count ? c.count : c.length);
        EXPECT_EQ(count, stored);
        EXPECT_EQ(buffer, file().mid(c.offset, stored));
    }
}

TEST_F(ReadBinaryTest, OutcomesOfTheLastStatusWord) {
    struct Case {
        const char* answer;
        ReadResult result;
        uint32_t count;
        int commands;
    };
    const Case cases[] = {
        Case("6982", ReadResult::Refused, 0, 1),
        Case("6B00", ReadResult::Failed, 0, 1),
        Case("-10", ReadResult::Failed, 0, 1),
        Case("0A", ReadResult::Failed, 0, 1),
        // A chunk without data never makes the loop ask again at the same place forever.
        Case("9000", ReadResult::Done, 0, 1),
        // Two bytes each time: five chunks, each after the bytes that came.
        Case("0102 9000", ReadResult::Done, 10, 5),
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(
            fresh.loadText(QStringLiteral("[terminal desk]\nports = 8192\ncard = egk\noverride 00B0 = %1\n")
                               .arg(QLatin1String(c.answer))));
        ASSERT_EQ(fresh.session.OpenTerminal(8192), 0);
        QByteArray bytes;
        uint32_t n = 10;
        EXPECT_EQ(ReadBinaryChunked(fresh.session, kToCard, 0, 10, bytes, n), c.result) << c.answer;
        EXPECT_EQ(n, c.count) << c.answer;
        EXPECT_EQ(bytes.size(), qsizetype(c.count));
        EXPECT_EQ(fresh.commands().size(), c.commands) << c.answer;
    }
}

TEST_F(ReadBinaryTest, ReadOnceUsesTheShortFormUpTo256AndTheExtendedFormBeyond) {
    open();
    QByteArray bytes;
    uint32_t room = 256;
    EXPECT_EQ(ReadBinaryOnce(h->session, kToCard, 0x8200, 256, bytes, room), 0);
    EXPECT_EQ(room, 256u);
    room = 1250;
    EXPECT_EQ(ReadBinaryOnce(h->session, kToCard, 0x8200, 1250, bytes, room), 0);
    EXPECT_EQ(room, 1250u);
    EXPECT_EQ(bytes, file());
    EXPECT_EQ(h->commands(), QStringList({"00B0820000", "00B08200000000"}));
    EXPECT_EQ(capacities(), std::vector<uint16_t>({258, 1252}));
}

TEST_F(ReadBinaryTest, ReadOnceRefusals) {
    open(QStringLiteral("override 00B08C = 0102 9001\noverride 00B081 = 6A82\n"));
    QByteArray bytes;
    uint32_t room = 10;
    EXPECT_EQ(ReadBinaryOnce(h->session, kToCard, 0x8C00, 10, bytes, room), 0);
    EXPECT_EQ(bytes, QByteArray("\x01\x02", 2));
    room = 10;
    EXPECT_EQ(ReadBinaryOnce(h->session, kToCard, 0x8100, 10, bytes, room), -1);
    EXPECT_EQ(room, 0u);
    // More data than room.
    room = 100;
    EXPECT_EQ(ReadBinaryOnce(h->session, kToCard, 0x8200, 256, bytes, room), -1);
    EXPECT_EQ(room, 0u);
    // No length: nothing is sent.
    room = 10;
    const int sent = int(h->commands().size());
    EXPECT_EQ(ReadBinaryOnce(h->session, kToCard, 0x8200, 0, bytes, room), -1);
    EXPECT_EQ(int(h->commands().size()), sent);
}

TEST_F(ReadBinaryTest, ReadOnceReturnsTheLibraryCode) {
    open(QStringLiteral("override 00B082 = -10\n"));
    QByteArray bytes;
    uint32_t room = 1250;
    EXPECT_EQ(ReadBinaryOnce(h->session, kToCard, 0x8200, 1250, bytes, room), -10);
    EXPECT_EQ(room, 0u);
}

} // namespace
} // namespace kc
