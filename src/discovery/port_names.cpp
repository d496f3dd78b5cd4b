// SPDX-License-Identifier: Apache-2.0
#include "discovery/port_names.h"

namespace kc {

PortKind KindOfPort(uint16_t pn) {
    if (pn < 257)
        return PortKind::Serial;
    if (pn >= kUsbPortBase && pn <= 0x20FF)
        return PortKind::Usb;
    return PortKind::Other;
}

QString CtApiPortSuffix(uint16_t pn) {
    return QStringLiteral("(CTAPI pn=%1)").arg(pn);
}

QString InterfaceDescription(uint16_t pn) {
    switch (KindOfPort(pn)) {
    case PortKind::Serial:
        return QStringLiteral("COM ") + CtApiPortSuffix(pn);
    case PortKind::Usb:
        return QStringLiteral("USB ") + CtApiPortSuffix(pn);
    case PortKind::Other:
        break;
    }
    return QStringLiteral("? ") + CtApiPortSuffix(pn);
}

QString UsbVirtualComDescription(uint16_t pn) {
    return QStringLiteral("USB Virtuell COM ") + CtApiPortSuffix(pn);
}

QString FurtherPortTabCaption(uint16_t pn) {
    switch (KindOfPort(pn)) {
    case PortKind::Serial:
        return QStringLiteral("COM %1").arg(pn);
    case PortKind::Usb:
        return QStringLiteral("USB Device %1").arg(UsbDeviceNumber(pn));
    case PortKind::Other:
        break;
    }
    return QStringLiteral("?Device %1").arg(pn);
}

QString FurtherPortListEntry(uint16_t pn) {
    switch (KindOfPort(pn)) {
    case PortKind::Serial:
        return QStringLiteral("COM %1").arg(pn);
    case PortKind::Usb:
        return QStringLiteral("USB Device %1 (pn=%2  )").arg(UsbDeviceNumber(pn)).arg(pn);
    case PortKind::Other:
        break;
    }
    return QStringLiteral("?Device  (pn=%1  )").arg(pn);
}

QString PortChosenText(uint16_t pn) {
    switch (KindOfPort(pn)) {
    case PortKind::Serial:
        return QStringLiteral("Die serielle Schnittstelle COM %1 wurde ausgewählt").arg(pn);
    case PortKind::Usb:
        return QStringLiteral("Das USB device %1 wurde ausgewählt").arg(UsbDeviceNumber(pn));
    case PortKind::Other:
        break;
    }
    return QStringLiteral("Das ?device %1 wurde ausgewählt").arg(pn);
}

QString PortTestingText(uint16_t pn) {
    if (KindOfPort(pn) == PortKind::Serial)
        return QStringLiteral("Programm prüft die serielle Schnittstelle COM %1").arg(pn);
    return QStringLiteral("Programm prüft ") + FurtherPortListEntry(pn);
}

} // namespace kc
