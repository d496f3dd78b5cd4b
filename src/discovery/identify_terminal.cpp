// SPDX-License-Identifier: Apache-2.0
#include "discovery/identify_terminal.h"

#include "base/slot_tables.h"
#include "discovery/port_names.h"
#include "terminal/command_table.h"
#include "terminal/manufacturer_data.h"
#include "terminal/terminal_session.h"

namespace kc {
namespace {

const QString kUsbInfoCommand = QStringLiteral("2071000100");

// A handheld answers RESET CT with 9500; a failed RESET CT leaves it stationary.
void MobileCheck(TerminalSession& session, TerminalInfo& info) {
    QString response;
    if (session.TransmitApdu(Commands().CmdResetCt, kToTerminal, response) == OK)
        info.IsMobile = StatusWord(response) == QLatin1String("9500");
}

// The USB descriptor answer starts 12 01 and has 02 as its eleventh byte when
// the terminal is attached through its USB port as a virtual COM port.
void UsbCheck(TerminalSession& session, TerminalInfo& info) {
    info.ViaUsbVirtualCom = false;
    QString response;
    if (session.TransmitApdu(kUsbInfoCommand, kToTerminal, response) != OK)
        return;
    info.ViaUsbVirtualCom = StatusWord(response) == QLatin1String("9000") && response.size() > 17 &&
                            response.mid(0, 2) == QLatin1String("12") &&
                            response.mid(2, 2) == QLatin1String("01") &&
                            response.mid(20, 2) == QLatin1String("02");
}

void DescribeInterface(SlotTables& tables, int slot, uint16_t pn) {
    PortStatus& port = tables.port[slot];
    if (KindOfPort(pn) == PortKind::Serial && tables.terminal[slot].ViaUsbVirtualCom) {
        port.InterfaceText = UsbVirtualComDescription(pn);
        port.BaudRateText.clear();
        return;
    }
    port.InterfaceText = InterfaceDescription(pn);
}

// SW 9000: the model from the manufacturer data.
int16_t IdentifyByManufacturerData(TerminalSession& session, SlotTables& tables, int slot, uint16_t pn) {
    TerminalInfo& info = tables.terminal[slot];
    const int16_t read = ReadManufacturerData(session, tables, slot);
    if (read != 0) {
        info.Responding = false;
        return read;
    }
    const QString type = info.CtType.str().toUpper();
    if (type == QLatin1String("QKT-1")) {
        info.ModelText = QStringLiteral("Serie Q1");
    } else if (type == QLatin1String("QKT-4")) {
        info.ModelText = QStringLiteral("Serie Q4");
    } else if (type == QLatin1String("QMT2 ")) {
        info.ModelText = QStringLiteral("Serie Q2");
        UsbCheck(session, info);
        DescribeInterface(tables, slot, pn);
    } else if (type == QLatin1String("QMT3 ")) {
        info.ModelText = QStringLiteral("Serie Q3");
        MobileCheck(session, info);
        UsbCheck(session, info);
        DescribeInterface(tables, slot, pn);
    } else {
        info.ModelText = QStringLiteral("Unbekannt");
    }
    return 0;
}

// SW 6D00: a terminal of the old command set; RESET CT tells a handheld.
void IdentifyOldCommandSet(TerminalSession& session, SlotTables& tables, int slot, uint16_t pn) {
    TerminalInfo& info = tables.terminal[slot];
    QString response;
    if (session.TransmitApdu(Commands().CmdResetCt, kToTerminal, response) != OK)
        return;
    if (StatusWord(response) != QLatin1String("9500")) {
        info.ModelText = QStringLiteral("Modell VEX K1/K2/K3/K4/K5/K7");
        return;
    }
    info.IsMobile = true;
    tables.port[slot].InterfaceText = InterfaceDescription(pn);
    switch (KindOfPort(pn)) {
    case PortKind::Serial:
        info.ModelText = QStringLiteral("Modell VEX K7/Serie Q3/Q4");
        break;
    case PortKind::Usb:
        info.ModelText = QStringLiteral("Serie Q3");
        info.CtType = QStringLiteral("QMT3 ");
        info.Manufacturer = QStringLiteral("DEZAV");
        break;
    case PortKind::Other:
        break;
    }
}

} // namespace

int16_t IdentifyTerminal(TerminalSession& session, SlotTables& tables, uint16_t pn) {
    const int slot = SlotOfPort(pn);
    TerminalInfo& info = tables.terminal[slot];
    info.IsMobile = false;

    QString response;
    const int16_t code = session.TransmitApdu(Commands().CmdGetStatusUnits, kToTerminal, response);
    if (code != OK) {
        info.Responding = false;
        return code;
    }
    info.Responding = true;
    const QString sw = StatusWord(response);
    if (sw == QLatin1String("9000"))
        return IdentifyByManufacturerData(session, tables, slot, pn);
    if (sw == QLatin1String("6900")) {
        info.ModelText = QStringLiteral("Modell VEX Q1 im VEX K1-kompatibel Mode");
    } else if (sw == QLatin1String("6D00")) {
        IdentifyOldCommandSet(session, tables, slot, pn);
    } else if (sw == QLatin1String("6F00")) {
        const int16_t read = ReadManufacturerData(session, tables, slot);
        if (read != 0) {
            info.Responding = false;
            return read;
        }
        info.ModelText = QStringLiteral("Modell MCT Q1 CT-BCS (0.9)");
    } else {
        info.ModelText = QStringLiteral("Modell nicht bekannt!");
        info.Responding = false;
    }
    return 0;
}

} // namespace kc
