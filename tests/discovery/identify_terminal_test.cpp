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
        if (!h.loadText(QStringLiteral("[terminal t]\nports = %1\n").arg(pn) + settings)) {
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

QString Maker(const char* type) {
    return QStringLiteral("get-status-46 = 46 0F \"DEZAV\" \"%1\" \"3.1.0\" 90 00\n")
        .arg(QLatin1String(type));
}
const QString kQmt3 = Maker("QMT3 ");
const QString kUsbVirtual = QStringLiteral("usb-info = 12 01 00 02 00 00 00 08 00 00 02 90 00\n");
const QString kOld = QStringLiteral("get-status-81 = 6D00\n");

// The answers of a terminal and what the status page and the flags say of it afterwards.
struct Row {
    uint16_t pn;
    QString settings;
    int16_t result;
    const char* model;    // trimmed
    const char* iface;    // trimmed; "before" when left alone
    const char* commands; // blank-separated; nullptr: not checked
    bool responding = true;
    bool mobile = false;
    bool usbVirtual = false;
    const char* typeMakerBaud = nullptr; // "CtType|Manufacturer|BaudRateText"
};

TEST(IdentifyTerminal, AnswersGiveModelInterfaceAndFlags) {
    const Row rows[] = {
        {3, Maker("QKT-1"), 0, "Serie Q1", "before", "2013008100 2013004600"},
        {3, Maker("QKT-4"), 0, "Serie Q4", "before", nullptr},
        {3, Maker("qkt-4"), 0, "Serie Q4", "before", nullptr},
        {3, Maker("ABC12"), 0, "Unbekannt", "before", nullptr},
        {2, Maker("QMT2 "), 0, "Serie Q2", "COM (CTAPI pn=2)", "2013008100 2013004600 2071000100", true,
         false, false, "QMT2 |DEZAV|9600 Baud      "},
        {3, kQmt3 + "reset-ct = 9500\n", 0, "Serie Q3", "COM (CTAPI pn=3)",
         "2013008100 2013004600 2011000000 2071000100", true, true, false, "QMT3 |DEZAV|9600 Baud      "},
        {3, kQmt3 + "reset-ct = 9000\n", 0, "Serie Q3", "COM (CTAPI pn=3)", nullptr},
        {3, kQmt3 + kUsbVirtual, 0, "Serie Q3", "USB Virtuell COM (CTAPI pn=3)", nullptr, true, false, true,
         "QMT3 |DEZAV|               "},
        // The virtual COM port needs the eleventh byte 02, the whole length and the right start.
        {3, kQmt3 + "usb-info = 12 01 00 02 00 00 00 08 00 00 01 90 00\n", 0, "Serie Q3", "COM (CTAPI pn=3)",
         nullptr},
        {3, kQmt3 + "usb-info = 12 01 00 02 00 00 90 00\n", 0, "Serie Q3", "COM (CTAPI pn=3)", nullptr},
        {3, kQmt3 + "usb-info = 12 02 00 02 00 00 00 08 00 00 02 90 00\n", 0, "Serie Q3", "COM (CTAPI pn=3)",
         nullptr},
        {8192, kQmt3, 0, "Serie Q3", "USB (CTAPI pn=8192)", nullptr},
        {300, kQmt3, 0, "Serie Q3", "? (CTAPI pn=300)", nullptr},
        // A USB terminal keeps its description even when it reports the virtual COM port.
        {8193, kQmt3 + kUsbVirtual, 0, "Serie Q3", "USB (CTAPI pn=8193)", nullptr, true, false, true},
        {1, "get-status-81 = 6900\n", 0, "Modell VEX Q1 im VEX K1-kompatibel Mode", "before", "2013008100"},
        {2, kOld + "reset-ct = 9500\n", 0, "Modell VEX K7/Serie Q3/Q4", "COM (CTAPI pn=2)",
         "2013008100 2011000000", true, true, false, "     |     |9600 Baud      "},
        {8195, kOld + "reset-ct = 9500\n", 0, "Serie Q3", "USB (CTAPI pn=8195)", nullptr, true, true, false,
         "QMT3 |DEZAV|9600 Baud      "},
        {300, kOld + "reset-ct = 9500\n", 0, "", "? (CTAPI pn=300)", nullptr, true, true, false,
         "     |     |9600 Baud      "},
        {4, kOld + "reset-ct = 9000\n", 0, "Modell VEX K1/K2/K3/K4/K5/K7", "before", nullptr},
        {4, kOld + "override 2011000000 = -10\n", 0, "", "before", nullptr},
        {1, "get-status-81 = 6F00\n" + Maker("MCT1 "), 0, "Modell MCT Q1 CT-BCS (0.9)", "before",
         "2013008100 2013004600", true, false, false, "MCT1 |DEZAV|9600 Baud      "},
        {1, "get-status-81 = 6A82\n", 0, "Modell nicht bekannt!", "before", nullptr, false},
        {1, "override 2013008100 = -10\n", -10, "", "before", nullptr, false},
        {1, "get-status-46 = 47 0F 90 00\n", 1, "", "before", nullptr, false},
        {1, "get-status-81 = 6F00\noverride 2013004600 = -11\n", -11, "", "before", nullptr, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(qPrintable(QStringLiteral("pn %1: %2").arg(row.pn).arg(row.settings)));
        Identified t(row.pn, row.settings);
        EXPECT_EQ(t.result, row.result);
        EXPECT_EQ(t.info().ModelText.str().trimmed(), QString::fromUtf8(row.model));
        EXPECT_EQ(t.port().InterfaceText.str().trimmed(), QString::fromUtf8(row.iface));
        if (row.commands) {
            EXPECT_EQ(t.h.commands(), QString::fromLatin1(row.commands).split(QLatin1Char(' ')));
        }
        EXPECT_EQ(t.info().Responding, row.responding);
        EXPECT_EQ(t.info().IsMobile, row.mobile);
        EXPECT_EQ(t.info().ViaUsbVirtualCom, row.usbVirtual);
        if (row.typeMakerBaud) {
            EXPECT_EQ(t.info().CtType.str() + "|" + t.info().Manufacturer.str() + "|" +
                          t.port().BaudRateText.str(),
                      QString::fromUtf8(row.typeMakerBaud));
        }
    }
}

TEST(IdentifyTerminal, ClearsTheHandheldFlagOfAnEarlierTerminal) {
    Identified t(1, Maker("QKT-1"));
    t.h.state.tables.terminal[1].IsMobile = true;
    IdentifyTerminal(t.h.session, t.h.state.tables, 1);
    EXPECT_FALSE(t.info().IsMobile);
}

} // namespace
} // namespace kc
