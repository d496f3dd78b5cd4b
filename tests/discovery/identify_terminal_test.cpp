#include "discovery/identify_terminal.h"
#include "sim_harness.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::SimHarness;

// A terminal on pn with the given answers, opened as the port test leaves it.
struct Identified {
    SimHarness h;
    int16_t result = 0;
    int slot = 0;

    Identified(uint16_t pn, const QString& settings) {
        const QString scenario = QStringLiteral("[terminal t]\nports = %1\n").arg(pn) + settings;
        if (!h.loadText(scenario)) {
            ADD_FAILURE() << qPrintable(h.loadError());
            return;
        }
        slot = SlotOfPort(pn);
        h.state.tables.port[slot].InterfaceText = QStringLiteral("before");
        h.state.tables.port[slot].BaudRateText = QStringLiteral("9600 Baud ");
        if (h.session.OpenTerminal(pn) != 0) {
            ADD_FAILURE() << "terminal did not open";
            return;
        }
        h.clearLog();
        result = IdentifyTerminal(h.session, h.state.tables, pn);
    }
    const TerminalInfo& info() { return h.state.tables.terminal[slot]; }
    const PortStatus& port() { return h.state.tables.port[slot]; }
};

QString Manufacturer(const char* type) {
    return QStringLiteral("get-status-46 = 46 0F \"DEZAV\" \"%1\" \"3.1.0\" 90 00\n")
        .arg(QLatin1String(type));
}

struct ModelRow {
    const char* type;
    const char* model;
};

class ModelIdentifiers : public ::testing::TestWithParam<ModelRow> {};

TEST_P(ModelIdentifiers, TypeGivesTheSeriesAndLeavesTheInterfaceAlone) {
    Identified t(3, Manufacturer(GetParam().type));
    EXPECT_EQ(t.result, 0);
    EXPECT_EQ(t.info().ModelText.str().trimmed(), QString::fromUtf8(GetParam().model));
    EXPECT_TRUE(t.info().Responding);
    EXPECT_FALSE(t.info().IsMobile);
    EXPECT_EQ(t.port().InterfaceText.str().trimmed(), "before");
    EXPECT_EQ(t.h.commands(), QStringList({"2013008100", "2013004600"}));
}

INSTANTIATE_TEST_SUITE_P(StationaryTypes, ModelIdentifiers,
                         ::testing::Values(ModelRow{"QKT-1", "Serie Q1"}, ModelRow{"QKT-4", "Serie Q4"},
                                           ModelRow{"qkt-4", "Serie Q4"}, ModelRow{"ABC12", "Unbekannt"}));

TEST(IdentifyTerminal, Qmt2ChecksUsbAndDescribesTheComPort) {
    Identified t(2, Manufacturer("QMT2 "));
    EXPECT_EQ(t.result, 0);
    EXPECT_EQ(t.info().ModelText.str().trimmed(), "Serie Q2");
    EXPECT_EQ(t.h.commands(), QStringList({"2013008100", "2013004600", "2071000100"}));
    EXPECT_EQ(t.port().InterfaceText.str().trimmed(), "COM (CTAPI pn=2)");
    EXPECT_EQ(t.port().BaudRateText.str(), "9600 Baud      ");
    EXPECT_FALSE(t.info().ViaUsbVirtualCom);
}

TEST(IdentifyTerminal, Qmt3AnsweringResetCtWith9500IsAHandheld) {
    Identified t(3, Manufacturer("QMT3 ") + "reset-ct = 9500\n");
    EXPECT_EQ(t.info().ModelText.str().trimmed(), "Serie Q3");
    EXPECT_EQ(t.info().CtType.str(), "QMT3 ");
    EXPECT_TRUE(t.info().IsMobile);
    EXPECT_EQ(t.h.commands(), QStringList({"2013008100", "2013004600", "2011000000", "2071000100"}));
}

TEST(IdentifyTerminal, Qmt3AnsweringResetCtWith9000IsStationary) {
    Identified t(3, Manufacturer("QMT3 ") + "reset-ct = 9000\n");
    EXPECT_EQ(t.info().ModelText.str().trimmed(), "Serie Q3");
    EXPECT_FALSE(t.info().IsMobile);
}

TEST(IdentifyTerminal, Qmt3ReportingTheUsbVirtualComPort) {
    Identified t(3, Manufacturer("QMT3 ") + "usb-info = 12 01 00 02 00 00 00 08 00 00 02 90 00\n");
    EXPECT_TRUE(t.info().ViaUsbVirtualCom);
    EXPECT_EQ(t.port().InterfaceText.str().trimmed(), "USB Virtuell COM (CTAPI pn=3)");
    EXPECT_EQ(t.port().BaudRateText.str(), QString(15, QLatin1Char(' ')));
}

TEST(IdentifyTerminal, UsbAnswerNeedsAllThreeBytesAndLength) {
    // Eleventh byte 01, and an answer too short to carry it.
    Identified wrongByte(3, Manufacturer("QMT3 ") + "usb-info = 12 01 00 02 00 00 00 08 00 00 01 90 00\n");
    EXPECT_FALSE(wrongByte.info().ViaUsbVirtualCom);
    EXPECT_EQ(wrongByte.port().InterfaceText.str().trimmed(), "COM (CTAPI pn=3)");
    Identified tooShort(3, Manufacturer("QMT3 ") + "usb-info = 12 01 00 02 00 00 90 00\n");
    EXPECT_FALSE(tooShort.info().ViaUsbVirtualCom);
    Identified wrongStart(3, Manufacturer("QMT3 ") + "usb-info = 12 02 00 02 00 00 00 08 00 00 02 90 00\n");
    EXPECT_FALSE(wrongStart.info().ViaUsbVirtualCom);
}

TEST(IdentifyTerminal, Qmt3InterfaceDescriptionByPortRange) {
    Identified usb(8192, Manufacturer("QMT3 "));
    EXPECT_EQ(usb.port().InterfaceText.str().trimmed(), "USB (CTAPI pn=8192)");
    Identified other(300, Manufacturer("QMT3 "));
    EXPECT_EQ(other.port().InterfaceText.str().trimmed(), "? (CTAPI pn=300)");
    // A USB terminal keeps its description even when it reports the virtual COM port.
    Identified usbVirtual(8193,
                          Manufacturer("QMT3 ") + "usb-info = 12 01 00 02 00 00 00 08 00 00 02 90 00\n");
    EXPECT_EQ(usbVirtual.port().InterfaceText.str().trimmed(), "USB (CTAPI pn=8193)");
}

TEST(IdentifyTerminal, Sw6900IsTheCompatibilityMode) {
    Identified t(1, "get-status-81 = 6900\n");
    EXPECT_EQ(t.result, 0);
    EXPECT_EQ(t.info().ModelText.str().trimmed(), "Modell VEX Q1 im VEX K1-kompatibel Mode");
    EXPECT_TRUE(t.info().Responding);
    EXPECT_EQ(t.h.commands(), QStringList({"2013008100"}));
}

struct OldCommandSetRow {
    uint16_t pn;
    const char* interfaceText;
    const char* model;
    const char* ctType;
    const char* manufacturer;
};

class OldCommandSetHandheld : public ::testing::TestWithParam<OldCommandSetRow> {};

TEST_P(OldCommandSetHandheld, ResetCt9500ByPortRange) {
    const OldCommandSetRow row = GetParam();
    Identified t(row.pn, "get-status-81 = 6D00\nreset-ct = 9500\n");
    EXPECT_EQ(t.result, 0);
    EXPECT_TRUE(t.info().IsMobile);
    EXPECT_TRUE(t.info().Responding);
    EXPECT_EQ(t.port().InterfaceText.str().trimmed(), row.interfaceText);
    EXPECT_EQ(t.info().ModelText.str().trimmed(), row.model);
    EXPECT_EQ(t.info().CtType.str(), row.ctType);
    EXPECT_EQ(t.info().Manufacturer.str(), row.manufacturer);
    EXPECT_EQ(t.h.commands(), QStringList({"2013008100", "2011000000"}));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, OldCommandSetHandheld,
    ::testing::Values(OldCommandSetRow{2, "COM (CTAPI pn=2)", "Modell VEX K7/Serie Q3/Q4", "     ", "     "},
                      OldCommandSetRow{8195, "USB (CTAPI pn=8195)", "Serie Q3", "QMT3 ", "DEZAV"},
                      OldCommandSetRow{300, "? (CTAPI pn=300)", "", "     ", "     "}));

TEST(IdentifyTerminal, Sw6D00WithoutHandheldAnswerIsTheOldSeries) {
    Identified t(4, "get-status-81 = 6D00\nreset-ct = 9000\n");
    EXPECT_EQ(t.info().ModelText.str().trimmed(), "Modell VEX K1/K2/K3/K4/K5/K7");
    EXPECT_FALSE(t.info().IsMobile);
    EXPECT_EQ(t.port().InterfaceText.str().trimmed(), "before");
}

TEST(IdentifyTerminal, Sw6D00WithFailingResetCtEndsWithoutModel) {
    Identified t(4, "get-status-81 = 6D00\noverride 2011000000 = -10\n");
    EXPECT_EQ(t.result, 0);
    EXPECT_EQ(t.info().ModelText.str().trimmed(), "");
    EXPECT_TRUE(t.info().Responding);
}

TEST(IdentifyTerminal, Sw6F00ReadsTheManufacturerData) {
    Identified t(1, "get-status-81 = 6F00\n" + Manufacturer("MCT1 "));
    EXPECT_EQ(t.result, 0);
    EXPECT_EQ(t.info().ModelText.str().trimmed(), "Modell MCT Q1 CT-BCS (0.9)");
    EXPECT_EQ(t.info().Manufacturer.str(), "DEZAV");
    EXPECT_EQ(t.h.commands(), QStringList({"2013008100", "2013004600"}));
}

TEST(IdentifyTerminal, UnknownStatusWordIsNoTerminal) {
    Identified t(1, "get-status-81 = 6A82\n");
    EXPECT_EQ(t.result, 0);
    EXPECT_EQ(t.info().ModelText.str().trimmed(), "Modell nicht bekannt!");
    EXPECT_FALSE(t.info().Responding);
}

TEST(IdentifyTerminal, FailuresOfGetStatusAndManufacturerDataAreReturned) {
    Identified failed(1, "override 2013008100 = -10\n");
    EXPECT_EQ(failed.result, -10);
    EXPECT_FALSE(failed.info().Responding);

    Identified unusable(1, "get-status-46 = 47 0F 90 00\n");
    EXPECT_EQ(unusable.result, 1);
    EXPECT_FALSE(unusable.info().Responding);

    Identified unusable6F(1, "get-status-81 = 6F00\noverride 2013004600 = -11\n");
    EXPECT_EQ(unusable6F.result, -11);
    EXPECT_FALSE(unusable6F.info().Responding);
}

TEST(IdentifyTerminal, ClearsTheHandheldFlagOfAnEarlierTerminal) {
    Identified t(1, Manufacturer("QKT-1"));
    t.h.state.tables.terminal[1].IsMobile = true;
    IdentifyTerminal(t.h.session, t.h.state.tables, 1);
    EXPECT_FALSE(t.info().IsMobile);
}

} // namespace
} // namespace kc
