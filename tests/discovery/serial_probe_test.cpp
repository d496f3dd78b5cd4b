// SPDX-License-Identifier: Apache-2.0
#include "base/slot_tables.h"
#include "case_rows.h"
#include "discovery/baud_probe.h"
#include "discovery/pnp_probe.h"
#include "discovery/port_test.h"
#include "discovery/serial_settings.h"
#include "fake_ui.h"
#include "scripted_serial_line.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::CountingEventPump;
using test::ScriptedSerialLine;
using test::SerialDevice;

// A terminal that answers the RESYNCH request only at one speed.
SerialDevice TerminalAt(const QString& speed, const QByteArray& answer = kResynchResponse) {
    SerialDevice device;
    device.answer = [speed, answer](const QString& settings, const QByteArray& sent) {
        return settings.startsWith(speed + QLatin1Char(',')) && sent == kResynchRequest ? answer
                                                                                        : QByteArray();
    };
    return device;
}

class BaudProbe : public ::testing::Test {
  protected:
    ScriptedSerialLine line;
    CountingEventPump pump;
    SlotTables tables;
};

TEST_F(BaudProbe, AnswerOnlyAt57600IsFoundOnTheThirdTry) {
    line.devices[2] = TerminalAt(QStringLiteral("57600"));
    EXPECT_EQ(ProbeBaudRate(line, pump, tables, 2), 0);
    EXPECT_EQ(tables.port[2].BaudRateText.str(), "57600 Baud     ");
    EXPECT_TRUE(tables.port[2].BaudProbed);
    EXPECT_EQ(pump.waits, std::vector<WaitTimer>(3, WaitTimer::Timer2));
    EXPECT_EQ(line.log,
              QStringList({"open 2", "settings 9600,E,8,1", "clear out", "clear in", "send 12C000D2",
                           "settings 115200,E,8,1", "clear out", "clear in", "send 12C000D2",
                           "settings 57600,E,8,1", "clear out", "clear in", "send 12C000D2", "close"}));
}

// Wrong answer, no port, a rejected setting: the speed stays unknown and the port closed.
TEST_F(BaudProbe, EveryOtherAnswerOrFaultLeavesTheSpeedUnknown) {
    line.devices[1] = TerminalAt(QStringLiteral("9600"), QByteArray::fromHex("21E000C2"));
    line.devices[2] = TerminalAt(QStringLiteral("9600"));
    line.devices[2].failingOperation = QStringLiteral("settings");
    line.devices[2].failingError = kSerialBadSettings;
    for (const auto& [pn, result, tries] :
         {std::tuple{1, 0, 5u}, {5, kSerialInvalidPort, 0u}, {2, kSerialBadSettings, 0u}}) {
        pump.waits.clear();
        EXPECT_EQ(ProbeBaudRate(line, pump, tables, uint16_t(pn)), result) << pn;
        EXPECT_EQ(tables.port[pn].BaudRateText.str(), "Unbekannt!     ") << pn;
        EXPECT_FALSE(tables.port[pn].BaudProbed || line.isOpen()) << pn;
        EXPECT_EQ(pump.waits.size(), tries) << pn;
    }
    // A rejected setting puts the line back to 9600,N,8,1.
    EXPECT_EQ(line.log.filter("settings").mid(5),
              QStringList({"settings 9600,E,8,1", "settings 9600,N,8,1"}));
}

TEST_F(BaudProbe, PortsAboveFiveAreLeftAlone) {
    ProbeBaudRate(line, pump, tables, 6);
    EXPECT_TRUE(line.log.isEmpty());
    line.devices[5] = TerminalAt(QStringLiteral("19200"));
    ProbeBaudRate(line, pump, tables, 5);
    EXPECT_EQ(tables.port[5].BaudRateText.str(), "19200 Baud     ");
}

class PnpIdCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/discovery/pnp_ids.txt: the identifier in the received text.
TEST_P(PnpIdCase, IsFoundInTheReceivedText) {
    const std::optional<PnpId> id = ParsePnpId(GetParam()[1]);
    EXPECT_EQ(id ? id->manufacturer + "|" + id->product : QString(), GetParam()[2]);
}

INSTANTIATE_TEST_SUITE_P(PnpParsing, PnpIdCase, ::testing::ValuesIn(test::DataRows("discovery/pnp_ids.txt")),
                         test::FirstCellName());

class PnpProbe : public BaudProbe {};

TEST_F(PnpProbe, DeviceWithDsrSendsItsIdentifierInChunks) {
    SerialDevice device;
    device.dsr = true;
    device.pnpChunks = {QByteArray("(\x01$DE"), QByteArray("Z0042"), QByteArray("\\....)")};
    line.devices[1] = device;
    EXPECT_EQ(ProbeSerialPnp(line, pump, 1), QString("DEZ0042"));
    // Three waits to prepare, then a round per chunk and the empty round.
    EXPECT_EQ(pump.waits, std::vector<WaitTimer>(7, WaitTimer::Timer1));
    EXPECT_EQ(line.log.filter("settings"), QStringList({"settings 1200,N,7,1", "settings 9600,N,8,1"}));
    // A device that talks only after the second power-up is heard in the second read.
    device.pnpFromRtsRise = 2;
    line.devices[3] = device;
    EXPECT_EQ(ProbeSerialPnp(line, pump, 3), QString("DEZ0042"));
    EXPECT_FALSE(line.isOpen());
}

TEST_F(PnpProbe, NoDsrNoIdentifierAndThePortIsRestored) {
    line.devices[2] = SerialDevice{};
    EXPECT_EQ(ProbeSerialPnp(line, pump, 2), std::nullopt);
    EXPECT_EQ(line.log, QStringList({"open 2", "clear in", "dtr 1", "rts 0", "dsr", "dtr 1", "rts 0",
                                     "settings 9600,N,8,1", "close"}));
    // A line that refuses 1200 baud is not read, though the device would talk.
    SerialDevice refusing;
    refusing.dsr = true;
    refusing.pnpChunks = {QByteArray("(\x01$DEZ0042\\....)")};
    refusing.failingOperation = QStringLiteral("settings");
    line.devices[3] = refusing;
    EXPECT_EQ(ProbeSerialPnp(line, pump, 3), std::nullopt);
}

TEST_F(PnpProbe, SilentOrGarbledDevicesGiveNothing) {
    // A device that never stops talking is read for eleven rounds at most.
    SerialDevice device;
    device.dsr = true;
    device.pnpChunks = QList<QByteArray>(20, QByteArray("x"));
    line.devices[2] = device;
    pump.waits.clear();
    EXPECT_EQ(ProbeSerialPnp(line, pump, 2), std::nullopt);
    EXPECT_EQ(pump.waits.size(), 3u + 11u);
    EXPECT_FALSE(line.isOpen());
}

class ComPort : public BaudProbe {};

class ComPortResult : public ComPort, public ::testing::WithParamInterface<QStringList> {};

// One row of tests/data/discovery/com_probe_results.txt.
TEST_P(ComPortResult, FollowsOpenAndControlLines) {
    const QStringList& c = GetParam();
    line.devices[1] = {c[1].toInt(), true, {}, {}, 1, c[2]};
    const ComProbe probe = ProbeComPort(line, pump, 1);
    EXPECT_EQ(probe.result, c[3].toInt());
    EXPECT_EQ(probe.dsr, c[3] == QStringLiteral("0"));
    EXPECT_FALSE(line.isOpen());
}

INSTANTIATE_TEST_SUITE_P(ComPort, ComPortResult,
                         ::testing::ValuesIn(test::CaseRows("discovery/com_probe_results.txt")),
                         test::FirstCellName());

TEST_F(ComPort, RaisesDtrWaitsOneTickReadsDsrAndDropsDtr) {
    line.devices[4] = SerialDevice{};
    const ComProbe probe = ProbeComPort(line, pump, 4);
    EXPECT_EQ(probe.result, kPortResultOpened);
    EXPECT_FALSE(probe.dsr);
    EXPECT_EQ(line.log, QStringList({"open 4", "dtr 1", "dsr", "dtr 0", "close"}));
    EXPECT_EQ(pump.waits, std::vector<WaitTimer>({WaitTimer::Timer3}));
}

class SerialSettingsCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/discovery/serial_settings.txt: the text of the control, parsed or rejected.
TEST_P(SerialSettingsCase, ParsesOrRejectsTheText) {
    const auto s = ParseSerialSettings(GetParam()[1]);
    EXPECT_EQ(s ? QStringLiteral("%1 %2 %3").arg(s->baud).arg(s->parity).arg(s->dataBits) : QString(),
              GetParam()[2]);
}

INSTANTIATE_TEST_SUITE_P(SerialSettings, SerialSettingsCase,
                         ::testing::ValuesIn(test::DataRows("discovery/serial_settings.txt")),
                         test::FirstCellName());

} // namespace
} // namespace kc
