#include "base/card_display.h"
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

// Ports without a terminal: what the serial control and the library say
// decides the result and the texts of the status page.
struct NoTerminalCase {
    const char* name;
    const char* portResults; // the scenario's [ports] lines after the default
    int openError;           // -1: no such device
    uint16_t pn;
    int16_t result;
    const char* interfaceText;
    const char* baudText;
    const char* model = "";
    bool dsr = false;
};

void PrintTo(const NoTerminalCase& c, std::ostream* os) {
    *os << c.name;
}

class PortWithoutTerminal : public TestPortTest, public ::testing::WithParamInterface<NoTerminalCase> {};

TEST_P(PortWithoutTerminal, ResultAndTexts) {
    const NoTerminalCase& c = GetParam();
    load(QStringLiteral("[ports]\ndefault = -10\n") + QLatin1String(c.portResults));
    if (c.openError >= 0) {
        SerialDevice device;
        device.openError = c.openError;
        device.dsr = c.dsr;
        line.devices[c.pn] = device;
    }
    TestPort(h.ctx, line, c.pn);
    const int slot = SlotOfPort(c.pn);
    EXPECT_EQ(port(slot).PortResult, c.result);
    EXPECT_EQ(port(slot).InterfaceText.str().trimmed(), QString::fromUtf8(c.interfaceText));
    EXPECT_EQ(port(slot).BaudRateText.str().trimmed(), QString::fromUtf8(c.baudText));
    EXPECT_EQ(info(slot).ModelText.str().trimmed(), QString::fromUtf8(c.model));
    EXPECT_EQ(h.state.ui.statusPages[slot].values[0], port(slot).InterfaceText.str());
    if (c.pn <= 4) {
        EXPECT_EQ(port(slot).PortPresent, c.openError >= 0);
    }
    if (c.openError < 0 && c.pn <= 4) {
        EXPECT_TRUE(h.apduLog().isEmpty()) << "a port that does not exist is not opened";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ports, PortWithoutTerminal,
    ::testing::Values(
        NoTerminalCase{"missing", "", -1, 2, 1, "Ist nicht vorhanden bzw. wird vom System benutzt!", ""},
        NoTerminalCase{"held_by_another_program", "", kSerialPortOpen, 3, 2, "Wird vom System benutzt!", ""},
        NoTerminalCase{"open_fails", "", kSerialNotAvailable, 4, 3, "PortOpen Fehlermeldung!!!", ""},
        NoTerminalCase{"library_says_in_use", "1 = -127\n", 0, 1, 2, "Wird vom System benutzt!", ""},
        NoTerminalCase{"free", "", 0, 2, -10, "Ist verfügbar!", "Unbekannt!", "Modell nicht bekannt!"},
        NoTerminalCase{"free_with_dsr", "", 0, 4, -10, "Ist verfügbar!", "Unbekannt!",
                       "Modell nicht bekannt!", true},
        NoTerminalCase{"further_free", "", -1, 8200, -10, "", "", "Modell nicht bekannt!"},
        NoTerminalCase{"further_in_use", "9 = -127\n", -1, 9, -127, "", "", "Unbekanntes Gerät?!"},
        NoTerminalCase{"other_library_code", "4 = -8\n", 0, 4, 5, "Ist verfügbar!", ""}),
    [](const auto& row) { return std::string(row.param.name); });

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

TEST_F(TestPortTest, Qmt3ReportingTheUsbVirtualComPortKeepsItsDescription) {
    load("[terminal t]\nports = 2\nget-status-46 = 46 0F \"DEZAV\" \"QMT3 \" \"3.1.0\" 90 00\n"
         "usb-info = 12 01 00 02 00 00 00 08 00 00 02 90 00\nbaudrate = 115200\n");
    line.devices[2] = SerialDevice{};
    TestPort(h.ctx, line, 2);
    EXPECT_EQ(port(2).PortResult, 4);
    EXPECT_EQ(port(2).InterfaceText.str().trimmed(), "USB Virtuell COM (CTAPI pn=2)");
    EXPECT_TRUE(info(2).ViaUsbVirtualCom);
    EXPECT_EQ(port(2).CtApiBaudText.str(), "115200  ");
}

TEST_F(TestPortTest, TerminalRaisingDsrIsAvailableAndGivesItsPlugAndPlayIdentifier) {
    load("[terminal t]\nports = 1\nbaudrate = 38400\n");
    SerialDevice device = SerialTerminal(true);
    device.pnpChunks = {QByteArray("(\x01$DEZ0042\\QKT4)")};
    line.devices[1] = device;
    TestPort(h.ctx, line, 1);
    EXPECT_EQ(port(1).PortResult, 0);
    EXPECT_TRUE(port(1).DsrSeen);
    EXPECT_EQ(port(1).InterfaceText.str().trimmed(), "Ist verfügbar!");
    EXPECT_EQ(port(1).InterfaceText.str().left(15), "Ist verfügbar! ");
    EXPECT_EQ(info(1).PnpDeviceId.str(), "DEZ0042   ");
    EXPECT_EQ(info(1).ModelText.str().trimmed(), "Serie Q4");
    EXPECT_EQ(h.state.ui.statusPages[1].values[7], "DEZ0042   ");
    // The line is probed for DSR, then for its speed, and after the library closed it for the identifier.
    EXPECT_EQ(line.opens(), 3);
    EXPECT_EQ(line.closes(), 3);
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
    EXPECT_FALSE(slot3.Responding);
    EXPECT_FALSE(slot3.HasCardData);
    EXPECT_TRUE(slot3.IsMobile);
    EXPECT_TRUE(h.state.tables.insured[3][Vorname].isEmpty());
    EXPECT_FALSE(h.state.ui.card.mobileRowsVisible);
}

TEST(ResetTerminalInfo, EmptiesTextsAndRespondingOnly) {
    SlotTables tables;
    TerminalInfo& info = tables.terminal[2];
    info.ModelText = QStringLiteral("Serie Q3");
    info.Manufacturer = QStringLiteral("DEZAV");
    info.CtType = QStringLiteral("QMT3");
    info.SoftwareVersion = QStringLiteral("1.0");
    info.OutputMedium = QStringLiteral("PC (ASN-1)");
    info.PnpDeviceId = QStringLiteral("DEZ0042");
    info.Responding = info.IsMobile = info.ViaUsbVirtualCom = info.HasCardData = info.IsEgk = true;
    ResetTerminalInfo(tables, 2);
    for (const QString& text : {info.ModelText.str(), info.Manufacturer.str(), info.CtType.str(),
                                info.SoftwareVersion.str(), info.OutputMedium.str(), info.PnpDeviceId.str()})
        EXPECT_TRUE(text.trimmed().isEmpty());
    EXPECT_FALSE(info.Responding);
    EXPECT_TRUE(info.IsMobile && info.ViaUsbVirtualCom && info.HasCardData && info.IsEgk);
}

} // namespace
} // namespace kc
