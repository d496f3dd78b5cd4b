// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
#include "fake_context.h"
#include "terminal/command_table.h"
#include "terminal/manufacturer_data.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::FakeCtApi;

class SessionTest : public ::testing::Test, protected test::FakeContext {
  protected:
    SlotTables& tables = state.tables;
};

class TransmitAnswer : public SessionTest, public ::testing::WithParamInterface<QStringList> {};

TEST_P(TransmitAnswer, SendsTheBytesAndGivesTheAnswerAsUpperCaseHexUnlessItFails) {
    const QStringList& c = GetParam();
    const QByteArray answer = QByteArray::fromHex(c[2].toLatin1());
    const int reported = c[3].isEmpty() ? -1 : TerminalSession::kResponseCapacity + c[3].toInt();
    api.onData = [&](uint8_t, const QByteArray&) {
        return FakeCtApi::Answer{int8_t(c[1].toInt()), answer, reported};
    };
    QString response = QStringLiteral("unchanged");
    EXPECT_EQ(session.TransmitApdu("2011000000", kToTerminal, response), c[4].toInt());
    EXPECT_EQ(response, c[5]);
    EXPECT_EQ(api.commands.back(), QByteArray("\x20\x11\x00\x00\x00", 5));
    EXPECT_GE(pump.pendingRuns, 1);
}

INSTANTIATE_TEST_SUITE_P(SessionTest, TransmitAnswer,
                         ::testing::ValuesIn(test::CaseRows("terminal/transmit_answers.txt")),
                         test::FirstCellName());

TEST_F(SessionTest, LampsFollowDestinationAndAnsweringUnit) {
    const auto colors = [this] { return std::vector(std::begin(lamps.colors), std::end(lamps.colors)); };
    ASSERT_EQ(session.OpenTerminal(3), 0);
    EXPECT_EQ(colors(), std::vector({LampColor::Green, LampColor::Green})); // card, terminal
    // A card command that the terminal answers itself.
    api.onData = [](uint8_t, const QByteArray&) {
        return FakeCtApi::Answer{0, QByteArray("\x69\x85", 2), -1, 1};
    };
    QString response;
    EXPECT_EQ(session.TransmitApdu(Commands().CmdSelectKvkAid, kToCard, response), 0);
    EXPECT_EQ(colors(), std::vector({LampColor::Yellow, LampColor::Green}));
    EXPECT_EQ(session.CloseTerminal(), 0);
    EXPECT_EQ(colors(), std::vector({LampColor::Neutral, LampColor::Neutral}));
}

TEST_F(SessionTest, OpenStoresTheBaudTextInTheSlotOfThePort) {
    ASSERT_EQ(session.OpenTerminal(3), 0);
    EXPECT_EQ(tables.port[3].CtApiBaudText.str(), "9600    ");
    api.baudValue = 115200;
    ASSERT_EQ(session.OpenTerminal(0x2000), 0);
    EXPECT_EQ(tables.port[5].CtApiBaudText.str(), "115200  ");
    EXPECT_EQ(api.initPorts.back(), 0x2000);
    api.baudCode = -1;
    ASSERT_EQ(session.OpenTerminal(3), 0);
    EXPECT_EQ(tables.port[3].CtApiBaudText.str(), "        ");
}

TEST_F(SessionTest, ResetAndCloseSendsResetCtThenClosesAndAFailedOpenLeavesItClosed) {
    ASSERT_EQ(session.OpenTerminal(1), 0);
    session.ResetAndCloseTerminal();
    EXPECT_EQ(api.commands, std::vector<QByteArray>{QByteArray("\x20\x11\x00\x00\x00", 5)});
    EXPECT_EQ(api.closes, 1);
    EXPECT_FALSE(session.SessionOpen());
    api.onInit = [](uint16_t) { return int8_t(-10); };
    EXPECT_EQ(session.OpenTerminal(1), -10);
    EXPECT_FALSE(session.SessionOpen());
}

// A library lost while the open asks its speed: the open fails and the session is closed.
TEST_F(SessionTest, LossAtTheSpeedQueryFailsTheOpen) {
    api.onBaud = [this] { provider.loss = QStringLiteral("verloren"); };
    EXPECT_EQ(session.OpenTerminal(1), ERR_TRANS);
    EXPECT_FALSE(session.SessionOpen());
    EXPECT_EQ(status.statuses, QStringList({"verloren"}));
}

class ManufacturerObject : public SessionTest, public ::testing::WithParamInterface<QStringList> {};

// A row of tests/data/terminal/manufacturer_objects.txt: the three five-byte fields of a whole object.
TEST_P(ManufacturerObject, FillsTheFieldsOnlyFromAWholeObject) {
    const QStringList& c = GetParam();
    const int16_t code = int16_t(c[2].toInt());
    const QByteArray object = c[1].toLatin1();
    api.onData = [&](uint8_t, const QByteArray&) {
        return FakeCtApi::Answer{int8_t(code == -8 ? -8 : 0), QByteArray::fromHex(object.left(4)) +
                                                                  object.mid(4) + QByteArray("\x90\x00", 2)};
    };
    EXPECT_EQ(ReadManufacturerData(session, tables, 8192), code);
    EXPECT_EQ(tables.terminal[5].Manufacturer.str(), c[3].leftJustified(5));
    EXPECT_EQ(tables.terminal[5].SoftwareVersion.str(), code ? "     " : "1.2.3");
}

INSTANTIATE_TEST_SUITE_P(SessionTest, ManufacturerObject,
                         ::testing::ValuesIn(test::CaseRows("terminal/manufacturer_objects.txt")),
                         test::FirstCellName());

} // namespace
} // namespace kc
