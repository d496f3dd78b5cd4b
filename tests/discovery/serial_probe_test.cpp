#include "base/slot_tables.h"
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

const QByteArray kAnswer = QByteArray::fromHex("21E000C1");

// A terminal that answers the RESYNCH request only at one speed.
SerialDevice TerminalAt(const QString& speed, const QByteArray& answer = kAnswer) {
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

// Wrong answers, silence and line faults: all five speeds tried (or none after
// a fault), the port closed, the speed unknown.
TEST_F(BaudProbe, EveryOtherAnswerOrFaultLeavesTheSpeedUnknown) {
    SerialDevice rejecting = TerminalAt(QStringLiteral("9600"));
    rejecting.failingOperation = QStringLiteral("settings");
    rejecting.failingError = kSerialBadSettings;
    line.devices = {{1, TerminalAt(QStringLiteral("9600"), QByteArray::fromHex("21E000C2"))},
                    {3, TerminalAt(QStringLiteral("9600"), QByteArray::fromHex("21E000C100"))},
                    {4, SerialDevice{}},
                    {2, rejecting}};
    const QStringList allSpeeds = {"settings 9600,E,8,1", "settings 115200,E,8,1", "settings 57600,E,8,1",
                                   "settings 38400,E,8,1", "settings 19200,E,8,1"};
    struct Row {
        uint16_t pn;
        int result;
        QStringList settings;
    };
    for (const Row& row :
         {Row{1, 0, allSpeeds}, Row{3, 0, allSpeeds}, Row{4, 0, allSpeeds}, Row{5, kSerialInvalidPort, {}},
          Row{2, kSerialBadSettings, {"settings 9600,E,8,1", "settings 9600,N,8,1"}}}) {
        line.log.clear();
        pump.waits.clear();
        EXPECT_EQ(ProbeBaudRate(line, pump, tables, row.pn), row.result) << row.pn;
        EXPECT_EQ(tables.port[row.pn].BaudRateText.str(), "Unbekannt!     ") << row.pn;
        EXPECT_FALSE(tables.port[row.pn].BaudProbed) << row.pn;
        EXPECT_EQ(line.log.filter("settings"), row.settings) << row.pn;
        EXPECT_EQ(pump.waits.size(), row.result ? 0u : 5u) << row.pn;
        EXPECT_FALSE(line.isOpen());
    }
    EXPECT_EQ(line.log.last(), "close");
}

TEST_F(BaudProbe, PortsAboveFiveAreLeftAlone) {
    tables.port[5].BaudRateText = QStringLiteral("keep");
    ProbeBaudRate(line, pump, tables, 6);
    EXPECT_TRUE(line.log.isEmpty());
    EXPECT_EQ(tables.port[5].BaudRateText.str().trimmed(), "keep");
    line.devices[5] = TerminalAt(QStringLiteral("19200"));
    ProbeBaudRate(line, pump, tables, 5);
    EXPECT_EQ(tables.port[5].BaudRateText.str(), "19200 Baud     ");
}

// The text received and the identifier found in it: "manufacturer|product", empty for none.
TEST(PnpParsing, IdentifierFromTheReceivedText) {
    const std::pair<const char*, const char*> rows[] = {{"(\x01$DEZ0042\\)", "DEZ|0042"},
                                                        {"(12ABC1234XYZ)", "ABC|1234"},
                                                        {"xx(12ABC1234)", "ABC|1234"},
                                                        {"(12ABC1234)", "ABC|1234"},
                                                        {"(2ABC1234)", ""},
                                                        {"(12ABC123)xyz", ""},
                                                        {"12ABC1234)xyz", ""},
                                                        {"", ""}};
    for (const auto& [text, expected] : rows) {
        const PnpId id = ParsePnpId(QString::fromLatin1(text));
        EXPECT_EQ(id.found, *expected != 0) << text;
        EXPECT_EQ(id.found ? id.manufacturer + "|" + id.product : id.manufacturer + id.product,
                  QString::fromLatin1(expected))
            << text;
    }
}

class PnpProbe : public BaudProbe {};

TEST_F(PnpProbe, DeviceWithDsrSendsItsIdentifierInChunks) {
    SerialDevice device;
    device.dsr = true;
    device.pnpChunks = {QByteArray("(\x01$DE"), QByteArray("Z0042"), QByteArray("\\....)")};
    line.devices[1] = device;
    device.pnpFromRtsRise = 2;
    line.devices[3] = device;
    for (uint16_t pn : {1, 3}) {
        line.log.clear();
        pump.waits.clear();
        const PnpProbeResult result = ProbeSerialPnp(line, pump, pn);
        EXPECT_TRUE(result.found) << pn;
        EXPECT_EQ(result.identifier, "DEZ0042") << pn;
        if (pn == 1) {
            // Three waits to prepare, then a round per chunk and the empty round.
            EXPECT_EQ(pump.waits, std::vector<WaitTimer>(7, WaitTimer::Timer1));
        } else {
            EXPECT_EQ(line.log.filter("rts 1").size(), 2);
        }
        EXPECT_EQ(line.log.filter("settings"), QStringList({"settings 1200,N,7,1", "settings 9600,N,8,1"}));
        EXPECT_EQ(line.log.last(), "close");
    }
}

TEST_F(PnpProbe, NoDsrNoIdentifierAndThePortIsRestored) {
    line.devices[2] = SerialDevice{};
    const PnpProbeResult result = ProbeSerialPnp(line, pump, 2);
    EXPECT_FALSE(result.found);
    EXPECT_TRUE(result.identifier.isEmpty());
    EXPECT_EQ(line.log, QStringList({"open 2", "clear in", "dtr 1", "rts 0", "dsr", "dtr 1", "rts 0",
                                     "settings 9600,N,8,1", "close"}));
}

TEST_F(PnpProbe, SilentOrGarbledDevicesGiveNothing) {
    SerialDevice silent;
    silent.dsr = true;
    line.devices[1] = silent;
    EXPECT_FALSE(ProbeSerialPnp(line, pump, 1).found);
    // A device that never stops talking is read for eleven rounds at most.
    SerialDevice chatty;
    chatty.dsr = true;
    for (int i = 0; i < 20; ++i)
        chatty.pnpChunks.append(QByteArray("x"));
    line.devices[2] = chatty;
    pump.waits.clear();
    EXPECT_FALSE(ProbeSerialPnp(line, pump, 2).found);
    EXPECT_EQ(pump.waits.size(), 3u + 11u);
    EXPECT_FALSE(ProbeSerialPnp(line, pump, 9).found);
    EXPECT_FALSE(line.isOpen());
}

// Open errors and failing control lines map to the probe's result; only 0 reports DSR.
TEST(ComProbe, ControlErrorsMapToTheResult) {
    struct Row {
        int openError;
        const char* failing;
        int expected;
    };
    for (const Row& row : {Row{0, "", 0}, Row{kSerialInvalidPort, "", 1}, Row{kSerialPortOpen, "", 2},
                           Row{kSerialNotAvailable, "", 3}, Row{0, "dtr", 3}, Row{0, "dsr", 3}}) {
        ScriptedSerialLine line;
        CountingEventPump pump;
        SerialDevice device;
        device.dsr = true;
        device.openError = row.openError;
        device.failingOperation = QString::fromLatin1(row.failing);
        device.failingError = 8020;
        line.devices[1] = device;
        const ComProbe probe = ProbeComPort(line, pump, 1);
        EXPECT_EQ(probe.result, row.expected) << row.openError << row.failing;
        EXPECT_EQ(probe.dsr, row.expected == 0) << row.openError << row.failing;
        EXPECT_FALSE(line.isOpen());
    }
}

TEST(ComProbe, RaisesDtrWaitsOneTickReadsDsrAndDropsDtr) {
    ScriptedSerialLine line;
    CountingEventPump pump;
    line.devices[4] = SerialDevice{};
    const ComProbe probe = ProbeComPort(line, pump, 4);
    EXPECT_EQ(probe.result, 0);
    EXPECT_FALSE(probe.dsr);
    EXPECT_EQ(line.log, QStringList({"open 4", "dtr 1", "dsr", "dtr 0", "close"}));
    EXPECT_EQ(pump.waits, std::vector<WaitTimer>({WaitTimer::Timer3}));
    EXPECT_EQ(ProbeComPort(line, pump, 7).result, 1);
}

TEST(SerialSettings, TextsOfTheControl) {
    for (const auto& [text, parsed] : {std::pair{"57600,E,8,1", "57600 E 8"},
                                       {"1200,n,7,1", "1200 N 7"},
                                       {"", ""},
                                       {"9600", ""},
                                       {"9600,X,8,1", ""},
                                       {"fast,E,8,1", ""},
                                       {"9600,E,9,1", ""},
                                       {"9600,E,8,3", ""},
                                       {"-1,E,8,1", ""}}) {
        const auto settings = ParseSerialSettings(QString::fromLatin1(text));
        EXPECT_EQ(
            settings
                ? QStringLiteral("%1 %2 %3").arg(settings->baud).arg(settings->parity).arg(settings->dataBits)
                : QString(),
            QLatin1String(parsed))
            << text;
    }
}

} // namespace
} // namespace kc
