// SPDX-License-Identifier: Apache-2.0
#include "base/card_display.h"
#include "data_rows.h"
#include "discovery/baud_probe.h"
#include "discovery/port_test.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"

#include "test_printers.h"

#include <gtest/gtest.h>
#include <tuple>

namespace kc {
namespace {

using test::ScriptedSerialLine;
using test::SerialDevice;
using test::SimHarness;

SerialDevice SerialTerminal(bool dsr) {
    SerialDevice device;
    device.dsr = dsr;
    device.answer = [](const QString& settings, const QByteArray&) {
        return settings.startsWith(QLatin1String("9600,")) ? kResynchResponse : QByteArray();
    };
    return device;
}

class TestPortTest : public ::testing::Test {
  protected:
    void load(const QString& scenario) { ASSERT_TRUE(h.loadText(scenario)) << qPrintable(h.loadError()); }
    const PortStatus& port(int slot) { return h.state.tables.port[slot]; }
    const TerminalInfo& info(int slot) { return h.state.tables.terminal[slot]; }

    SimHarness h;
    ScriptedSerialLine line;
};

class PortWithoutTerminal : public ::testing::TestWithParam<QStringList> {};

// One port of tests/data/discovery/ports_without_terminal.txt, named by its first cell.
TEST_P(PortWithoutTerminal, ResultAndTexts) {
    const QStringList& c = GetParam();
    SimHarness h;
    ScriptedSerialLine line;
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n" + c[1]));
    const int openError = c[2].toInt();
    const auto pn = c[3].toUShort();
    if (openError >= 0) {
        line.devices[pn].openError = openError;
        line.devices[pn].dsr = c[8] == QLatin1String("1");
    }
    TestPort(h.ctx, line, pn);
    const PortStatus& port = h.state.tables.port[SlotOfPort(pn)];
    EXPECT_EQ(port.PortResult, c[4].toInt());
    EXPECT_EQ(port.InterfaceText.str().trimmed(), c[5]);
    EXPECT_EQ(port.BaudRateText.str().trimmed(), c[6]);
    EXPECT_EQ(port.BaudProbed, c[6].endsWith(QLatin1String(" Baud")));
    EXPECT_EQ(h.state.tables.terminal[SlotOfPort(pn)].ModelText.str().trimmed(), c[7]);
    EXPECT_EQ(h.state.ui.statusPages[SlotOfPort(pn)].values[0], port.InterfaceText.str());
    EXPECT_TRUE(pn > 4 || port.PortPresent == (openError >= 0));
    // A COM port that does not exist is not opened.
    EXPECT_TRUE(pn > 4 || openError >= 0 || h.apduLog().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ports, PortWithoutTerminal,
                         ::testing::ValuesIn(test::DataRows("discovery/ports_without_terminal.txt")),
                         test::FirstCellName());

TEST_F(TestPortTest, TerminalWithoutDsrIsOnTheWrongCable) {
    load("[terminal t]\nports = 2\nget-status-46 = 46 0F \"DEZAV\" \"QKT-4\" \"3.1.0\" 90 00\n");
    line.devices[2] = SerialTerminal(false);
    TestPort(h.ctx, line, 2);
    EXPECT_EQ(port(2).PortResult, kPortResultIdentified);
    EXPECT_EQ(port(2).InterfaceText.str().trimmed(), "Falsches RS 232 Kabel/Verbinder!");
    EXPECT_EQ(port(2).BaudRateText.str(), "9600 Baud      ");
    EXPECT_EQ(h.apduLog(), QStringList({"init 2", "2013008100", "2013004600", "close"}));
}

TEST_F(TestPortTest, TerminalRaisingDsrIsAvailableAndGivesItsPlugAndPlayIdentifier) {
    load("[terminal t]\nports = 1\nbaudrate = 38400\n");
    SerialDevice device = SerialTerminal(true);
    device.pnpChunks = {QByteArray("(\x01$DEZ0042\\QKT4)")};
    line.devices[1] = device;
    TestPort(h.ctx, line, 1);
    EXPECT_TRUE(port(1).DsrSeen);
    EXPECT_EQ(port(1).InterfaceText.str().left(15), "Ist verfügbar! ");
    EXPECT_EQ(info(1).PnpDeviceId.str(), "DEZ0042   ");
    EXPECT_EQ(h.state.ui.statusPages[1].values[7], "DEZ0042   ");
    // The line is probed for DSR, then for its speed, and after the library closed it for the identifier.
    EXPECT_EQ(line.log.filter("open ").size(), 3);
}

TEST_F(TestPortTest, UsbPortUsesSlotFiveAndLeavesTheComSlotsAlone) {
    load("[terminal usb]\nports = 8193\nget-status-46 = 46 0F \"DEZAV\" \"QMT3 \" \"3.1.0\" 90 00\n");
    h.state.tables.insured[4][Familienname] = QStringLiteral("name 4");
    TestPort(h.ctx, line, 8193);
    EXPECT_EQ(h.state.tables.insured[4][Familienname], "name 4");
    EXPECT_EQ(port(5).PortResult, kPortResultOpened);
    EXPECT_EQ(port(5).InterfaceText.str().trimmed(), "USB (CTAPI pn=8193)");
    EXPECT_EQ(port(5).BaudRateText.str(), "9600           ");
    EXPECT_EQ(info(5).ModelText.str().trimmed(), "Serie Q3");
    EXPECT_TRUE(line.log.isEmpty());
}

// A terminal replaced by another, or gone, leaves nothing of itself behind:
// not its handheld mark, not its virtual COM port, not the card read there.
TEST_F(TestPortTest, TestingClearsTheSlotsIdentityAndCardData) {
    load("[ports]\ndefault = -10\n");
    TerminalInfo& slot3 = h.state.tables.terminal[3];
    slot3.Responding = slot3.HasCardData = slot3.IsMobile = slot3.ViaUsbVirtualCom = true;
    h.state.tables.insured[3][Vorname] = QStringLiteral("Anna");
    h.state.ui.card.mobileRowsVisible = true;
    line.devices[3] = SerialDevice{};
    TestPort(h.ctx, line, 3);
    EXPECT_TRUE(!slot3.Responding && !slot3.HasCardData && !slot3.IsMobile && !slot3.ViaUsbVirtualCom);
    EXPECT_TRUE(h.state.tables.insured[3][Vorname].isEmpty());
    EXPECT_FALSE(h.state.ui.card.mobileRowsVisible);
}

TEST(ResetTerminalInfo, EmptiesTextsAndRespondingOnly) {
    SlotTables tables;
    TerminalInfo& info = tables.terminal[2];
    const auto texts = std::tie(info.ModelText, info.Manufacturer, info.CtType, info.SoftwareVersion,
                                info.OutputMedium, info.PnpDeviceId);
    std::apply([](auto&... text) { ((text = QStringLiteral("x")), ...); }, texts);
    info.Responding = info.IsMobile = info.ViaUsbVirtualCom = info.HasCardData = info.IsEgk = true;
    ResetTerminalInfo(tables, 2);
    std::apply([](auto&... text) { EXPECT_EQ((text.str() + ...).trimmed(), ""); }, texts);
    EXPECT_FALSE(info.Responding);
    EXPECT_TRUE(info.IsMobile && info.ViaUsbVirtualCom && info.HasCardData && info.IsEgk);
}

} // namespace
} // namespace kc
