// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <cstdint>

namespace kc {

// What a CT-API port number stands for: 1 to 256 serial ports (below 257),
// 0x2000 + n USB device n + 1 (8192 to 8447), anything else unknown.
enum class PortKind { Serial, Usb, Other };

PortKind KindOfPort(uint16_t pn);

// The USB device number users see: pn 8192 is "USB Device 1".
constexpr int UsbDeviceNumber(uint16_t pn) {
    return int(pn) - 8191;
}

constexpr uint16_t kUsbPortBase = 0x2000;

// "(CTAPI pn=7)": the tail of every interface description.
QString CtApiPortSuffix(uint16_t pn);

// The attachment as the status page names it: "COM (CTAPI pn=3)",
// "USB (CTAPI pn=8192)" or "? (CTAPI pn=300)".
QString InterfaceDescription(uint16_t pn);

// Same for a terminal that reports its USB port as a virtual COM port.
QString UsbVirtualComDescription(uint16_t pn);

// Caption of tab 5: "COM 7", "USB Device 2", "?Device 300".
QString FurtherPortTabCaption(uint16_t pn);

// Entry of the list of further ports: "COM 7", "USB Device 1 (pn=8192  )", "?Device  (pn=300  )".
QString FurtherPortListEntry(uint16_t pn);

// Status line after choosing a port.
QString PortChosenText(uint16_t pn);

// Status line while a port is tested: "Programm prüft die serielle Schnittstelle COM 3"
// for serial ports, "Programm prüft " + the list entry otherwise.
QString PortTestingText(uint16_t pn);

} // namespace kc
