#include "base/card_display.h"
#include "data_rows.h"
#include "discovery/port_test.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::ScriptedSerialLine;
using test::SerialDevice;
using test::SimHarness;

const QByteArray kResynchAnswer = QByteArray::fromHex("21E000C1");

SerialDevice SerialTerminal(bool dsr) {
    SerialDevice device;
    device.dsr = dsr;
    device.answer = [](const QString& settings, const QByteArray&) {
        return settings.startsWith(QLatin1String("9600,")) ? kResynchAnswer : QByteArray();
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

// One case a line in tests/data/discovery/ports_without_terminal.txt.
TEST(PortWithoutTerminal, ResultAndTexts) {
    const auto rows = test::DataRows("discovery/ports_without_terminal.txt");
    ASSERT_EQ(rows.size(), 9u);
    for (const QStringList& c : rows) {
        SCOPED_TRACE(qPrintable(c[0]));
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
        EXPECT_EQ(h.state.tables.terminal[SlotOfPort(pn)].ModelText.str().trimmed(), c[7]);
        EXPECT_EQ(h.state.ui.statusPages[SlotOfPort(pn)].values[0], port.InterfaceText.str());
        if (pn <= 4) {
            EXPECT_EQ(port.PortPresent, openError >= 0);
            // A port that does not exist is not opened.
            EXPECT_TRUE(openError >= 0 || h.apduLog().isEmpty());
        }
    }
}

TEST_F(TestPortTest, TerminalWithoutDsrIsOnTheWrongCable) {
    load("[terminal t]\nports = 2\nget-status-46 = 46 0F \"DEZAV\" \"QKT-4\" \"3.1.0\" 90 00\n");
    line.devices[2] = SerialTerminal(false);
    TestPort(h.ctx, line, 2);
    EXPECT_EQ(port(2).PortResult, 4);
    EXPECT_EQ(port(2).InterfaceText.str().trimmed(), "Falsches RS 232 Kabel/Verbinder!");
    EXPECT_EQ(port(2).BaudRateText.str(), "9600 Baud      ");
    EXPECT_TRUE(port(2).BaudProbed);
    EXPECT_EQ(info(2).ModelText.str().trimmed(), "Serie Q4");
    EXPECT_TRUE(info(2).Responding);
    EXPECT_FALSE(h.session.SessionOpen());
    EXPECT_EQ(h.apduLog(), QStringList({"init 2", "2013008100", "2013004600", "close"}));
}

TEST_F(TestPortTest, TerminalRaisingDsrIsAvailableAndGivesItsPlugAndPlayIdentifier) {
    load("[terminal t]\nports = 1\nbaudrate = 38400\n");
    SerialDevice device = SerialTerminal(true);
    device.pnpChunks = {QByteArray("(\x01$DEZ0042\\QKT4)")};
    line.devices[1] = device;
    TestPort(h.ctx, line, 1);
    EXPECT_EQ(port(1).PortResult, 0);
    EXPECT_TRUE(port(1).DsrSeen);
    EXPECT_EQ(port(1).InterfaceText.str().left(15), "Ist verfügbar! ");
    EXPECT_EQ(info(1).PnpDeviceId.str(), "DEZ0042   ");
    EXPECT_EQ(info(1).ModelText.str().trimmed(), "Serie Q4");
    EXPECT_EQ(h.state.ui.statusPages[1].values[7], "DEZ0042   ");
    // The line is probed for DSR, then for its speed, and after the library closed it for the identifier.
    EXPECT_EQ(std::pair(line.opens(), line.closes()), std::pair(3, 3));
}

TEST_F(TestPortTest, BaudFromTheLibraryWhenTheProbeFindsNone) {
    load("[terminal t]\nports = 3\nbaudrate = 19200\n");
    line.devices[3] = SerialDevice{};
    TestPort(h.ctx, line, 3);
    EXPECT_EQ(port(3).BaudRateText.str(), "19200          ");
    EXPECT_FALSE(port(3).BaudProbed);
}

TEST_F(TestPortTest, UsbPortUsesSlotFiveAndLeavesTheComSlotsAlone) {
    load("[terminal usb]\nports = 8193\nget-status-46 = 46 0F \"DEZAV\" \"QMT3 \" \"3.1.0\" 90 00\n");
    for (int slot = 1; slot <= 4; ++slot) {
        h.state.tables.port[slot].InterfaceText = QStringLiteral("slot %1").arg(slot);
        h.state.tables.terminal[slot].ModelText = QStringLiteral("model %1").arg(slot);
        h.state.tables.insured[slot][Familienname] = QStringLiteral("name %1").arg(slot);
    }
    TestPort(h.ctx, line, 8193);
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(port(slot).InterfaceText.str().trimmed(), QStringLiteral("slot %1").arg(slot));
        EXPECT_EQ(info(slot).ModelText.str().trimmed(), QStringLiteral("model %1").arg(slot));
        EXPECT_EQ(h.state.tables.insured[slot][Familienname], QStringLiteral("name %1").arg(slot));
    }
    EXPECT_EQ(port(5).PortResult, 0);
    EXPECT_EQ(port(5).InterfaceText.str().trimmed(), "USB (CTAPI pn=8193)");
    EXPECT_EQ(port(5).BaudRateText.str(), "9600           ");
    EXPECT_EQ(info(5).ModelText.str().trimmed(), "Serie Q3");
    EXPECT_TRUE(line.log.isEmpty());
}

TEST_F(TestPortTest, TestingClearsTheSlotsIdentityAndCardData) {
    load("[ports]\ndefault = -10\n");
    TerminalInfo& slot3 = h.state.tables.terminal[3];
    slot3.ModelText = QStringLiteral("old");
    slot3.Responding = true;
    slot3.HasCardData = true;
    slot3.IsMobile = true;
    h.state.tables.insured[3][Vorname] = QStringLiteral("Anna");
    h.state.ui.card.mobileRowsVisible = true;
    line.devices[3] = SerialDevice{};
    TestPort(h.ctx, line, 3);
    EXPECT_TRUE(!slot3.Responding && !slot3.HasCardData && slot3.IsMobile);
    EXPECT_TRUE(h.state.tables.insured[3][Vorname].isEmpty());
    EXPECT_FALSE(h.state.ui.card.mobileRowsVisible);
}

TEST(ResetTerminalInfo, EmptiesTextsAndRespondingOnly) {
    SlotTables tables;
    TerminalInfo& info = tables.terminal[2];
    const auto texts = [&info] {
        return QStringList({info.ModelText.str(), info.Manufacturer.str(), info.CtType.str(),
                            info.SoftwareVersion.str(), info.OutputMedium.str(), info.PnpDeviceId.str()})
            .join(QString())
            .trimmed();
    };
    [](auto&... text) { ((text = QStringLiteral("x")), ...); }(info.ModelText, info.Manufacturer, info.CtType,
                                                               info.SoftwareVersion, info.OutputMedium,
                                                               info.PnpDeviceId);
    info.Responding = info.IsMobile = info.ViaUsbVirtualCom = info.HasCardData = info.IsEgk = true;
    ResetTerminalInfo(tables, 2);
    EXPECT_EQ(texts(), "");
    EXPECT_FALSE(info.Responding);
    EXPECT_TRUE(info.IsMobile && info.ViaUsbVirtualCom && info.HasCardData && info.IsEgk);
}

} // namespace
} // namespace kc
