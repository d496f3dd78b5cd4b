// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace kc {

class EventPump;
class SerialLine;
struct SlotTables;

// T=1 RESYNCH request and the answer a terminal gives at its line speed.
inline const QByteArray kResynchRequest = QByteArray::fromHex("12C000D2");
inline const QByteArray kResynchResponse = QByteArray::fromHex("21E000C1");

// Speeds in the order tried, all even parity, 8 data bits, 1 stop bit.
inline const std::array<QString, 5> kProbeSettings = {
    QStringLiteral("9600,E,8,1"),  QStringLiteral("115200,E,8,1"), QStringLiteral("57600,E,8,1"),
    QStringLiteral("38400,E,8,1"), QStringLiteral("19200,E,8,1"),
};

// Finds the speed at which a terminal answers on serial port pn (1 to 5) and
// writes the slot's BaudRateText ("57600 Baud ", else "Unbekannt! ") and
// BaudProbed. Port numbers above 5 are left alone. The line is closed again
// on every path; returns the serial error number that ended the probe, or 0.
int ProbeBaudRate(SerialLine& line, EventPump& pump, SlotTables& tables, uint16_t pn);

} // namespace kc
