// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"
#include "data_cases.h"
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
        h = test::Harness(QStringLiteral("[terminal desk]\nports = 8192\ncard = egk\n"
                                         "card.vd = @egk/cards/EGK_G2_1_80276883110000095711__EF_VD.hex\n") +
                          overrides);
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
    QStringList capacities() {
        QStringList rooms;
        for (const auto& exchange : h->simulator().exchanges())
            rooms.append(QString::number(exchange.capacity));
        return rooms;
    }

    std::unique_ptr<test::SimHarness> h;
    QByteArray buffer;
    uint32_t count = 0;
};

// A case's items of the field key ("none": no items), when the case gives the field and not "-".
void ExpectGiven(const test::DataCase& c, const char* key, const QStringList& actual) {
    const QString wanted = c.field(QLatin1String(key));
    if (!wanted.isEmpty() && wanted != QLatin1String("-")) {
        EXPECT_EQ(actual, test::Items(wanted == QLatin1String("none") ? QString() : wanted)) << key;
    }
}

class ReadBinaryChunks : public ReadBinaryTest, public ::testing::WithParamInterface<test::DataCase> {};

// The chunks of a read and what they bring: tests/data/egk/read_binary_chunks.txt.
TEST_P(ReadBinaryChunks, BringWhatTheReadAskedFor) {
    const test::DataCase& c = GetParam();
    open(c.field("overrides").isEmpty()
             ? QString()
             : QStringLiteral("override 00B00000FE = %1 9000\n").arg(BytesToHex(file().left(100))));
    const ReadResult result = test::ResultOf(c.field("result"));
    EXPECT_EQ(chunked(c.field("offset").toUInt(), c.field("length").toUInt(), c.field("expected").toUInt()),
              result);
    EXPECT_EQ(h->commands(), test::Items(c.field("commands")));
    ExpectGiven(c, "rooms", capacities());
    const uint32_t stored =
        c.field("count").isEmpty() ? c.field("length").toUInt() : c.field("count").toUInt();
    EXPECT_EQ(count, stored);
    EXPECT_EQ(buffer, file().mid(c.field("offset").toInt(), stored));
}

INSTANTIATE_TEST_SUITE_P(ReadBinary, ReadBinaryChunks,
                         ::testing::ValuesIn(test::DataCases("egk/read_binary_chunks.txt")),
                         test::CaseName());

class LastStatusWord : public ReadBinaryTest, public ::testing::WithParamInterface<QStringList> {};

// One row of tests/data/egk/read_binary_answers.txt: the same answer to every READ BINARY.
TEST_P(LastStatusWord, DecidesTheOutcome) {
    const QStringList& c = GetParam();
    open(QStringLiteral("override 00B0 = %1\n").arg(c[1]));
    EXPECT_EQ(chunked(0, 10, 10), test::ResultOf(c[2]));
    EXPECT_EQ(count, c[3].toUInt());
    EXPECT_EQ(buffer.size(), c[3].toInt());
    EXPECT_EQ(h->commands().size(), c[4].toInt());
}

INSTANTIATE_TEST_SUITE_P(ReadBinary, LastStatusWord,
                         ::testing::ValuesIn(test::CaseRows("egk/read_binary_answers.txt")),
                         test::FirstCellName());

class ReadOnceCase : public ReadBinaryTest, public ::testing::WithParamInterface<test::DataCase> {};

// One READ BINARY of tests/data/egk/read_binary_once.txt: its form, its result and the room it keeps to.
TEST_P(ReadOnceCase, SendsOneCommandWithinTheRoom) {
    const test::DataCase& c = GetParam();
    open(c.field("overrides"));
    QByteArray bytes;
    uint32_t room = c.field("room").toUInt();
    const int16_t result = ReadBinaryOnce(h->session, kToCard, c.field("p1p2").toUShort(nullptr, 16),
                                          c.field("length").toUInt(), bytes, room);
    ExpectGiven(c, "result", {QString::number(result)});
    ExpectGiven(c, "room-after", {QString::number(room)});
    ExpectGiven(c, "bytes", {bytes == file() ? QStringLiteral("VD") : BytesToHex(bytes)});
    ExpectGiven(c, "commands", h->commands());
    ExpectGiven(c, "capacities", capacities());
}

INSTANTIATE_TEST_SUITE_P(ReadBinaryOnce, ReadOnceCase,
                         ::testing::ValuesIn(test::DataCases("egk/read_binary_once.txt")), test::CaseName());

} // namespace
} // namespace kc
