// SPDX-License-Identifier: Apache-2.0
#include "base/slot_tables.h"
#include "fake_ctapi.h"
#include "fake_ui.h"
#include "terminal/command_table.h"
#include "terminal/manufacturer_data.h"
#include "terminal/terminal_session.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::FakeCtApi;

class SessionTest : public ::testing::Test {
  protected:
    FakeCtApi api;
    FixedCtApiProvider provider{api};
    SlotTables tables;
    test::ScriptedMessageBoxes boxes;
    test::CountingEventPump pump;
    test::RecordingLamps lamps;
    TerminalSession session{provider, tables, boxes, pump, &lamps};
};

TEST_F(SessionTest, TransmitSendsTheBytesAndGivesTheAnswerAsUpperCaseHexUnlessItFails) {
    const struct {
        FakeCtApi::Answer answer;
        int16_t code;
        const char* response;
    } cases[] = {
        {{0, QByteArray("\x0a\x90\x00", 3)}, 0, "0A9000"},
        {{0, QByteArray("\x90", 1)}, -11, "unchanged"}, // too short
        {{0, QByteArray("\x90\x00", 2), TerminalSession::kResponseCapacity + 10}, -11, "unchanged"},
        {{-10, QByteArray("\x90\x00", 2)}, -10, "unchanged"},
    };
    for (const auto& c : cases) {
        api.onData = [&c](uint8_t, const QByteArray&) { return c.answer; };
        QString response = QStringLiteral("unchanged");
        EXPECT_EQ(session.TransmitApdu("2011000000", kToTerminal, response), c.code);
        EXPECT_EQ(response, c.response);
        EXPECT_EQ(api.commands.back(), QByteArray("\x20\x11\x00\x00\x00", 5));
    }
    EXPECT_GE(pump.pendingRuns, 1);
}

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

TEST_F(SessionTest, ManufacturerDataStoresTheThreeFiveByteFieldsOfAWholeObject) {
    const struct {
        const char* object; // tag and length in hex, then the text
        int16_t code;       // -8: the library fails
        const char* manufacturer;
    } cases[] = {
        {"460FDEZAVQMT3 1.2.3", 0, "DEZAV"},
        {"460EDEZAVQMT3 1.2.", 1, "     "},  // one byte short
        {"450FDEZAVQMT3 1.2.3", 1, "     "}, // another tag
        {"", -8, "     "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object);
        api.onData = [&c](uint8_t, const QByteArray&) {
            const QByteArray object(c.object);
            return FakeCtApi::Answer{int8_t(c.code == -8 ? -8 : 0), QByteArray::fromHex(object.left(4)) +
                                                                        object.mid(4) +
                                                                        QByteArray("\x90\x00", 2)};
        };
        SlotTables fresh;
        EXPECT_EQ(ReadManufacturerData(session, fresh, 8192), c.code);
        EXPECT_EQ(fresh.terminal[5].Manufacturer.str(), c.manufacturer);
        EXPECT_EQ(fresh.terminal[5].SoftwareVersion.str(), c.code ? "     " : "1.2.3");
    }
}

} // namespace
} // namespace kc
