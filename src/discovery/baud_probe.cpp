// SPDX-License-Identifier: Apache-2.0
#include "discovery/baud_probe.h"

#include "base/event_pump.h"
#include "base/slot_tables.h"
#include "discovery/serial_line.h"

namespace kc {
namespace {

const QString kUnknownBaud = QStringLiteral("Unbekannt! ");
const QString kFallbackSettings = QStringLiteral("9600,N,8,1");

// One try at one speed; an error of the line ends the whole probe.
bool TrySpeed(SerialLine& line, EventPump& pump, const QString& settings, bool& matched) {
    matched = false;
    if (!line.setSettings(settings) || !line.clearSendBuffer() || !line.clearReceiveBuffer() ||
        !line.send(kResynchRequest))
        return false;
    pump.wait(WaitTimer::Timer2);
    if (line.receivedCount() == kResynchResponse.size())
        matched = line.receive(int(kResynchResponse.size())) == kResynchResponse;
    return true;
}

} // namespace

int ProbeBaudRate(SerialLine& line, EventPump& pump, SlotTables& tables, uint16_t pn) {
    if (pn > 5)
        return 0;
    PortStatus& port = tables.port[SlotOfPort(pn)];
    port.BaudRateText = kUnknownBaud;

    if (!line.open(pn))
        return line.errorNumber();
    SerialLineCloser closer(line);
    for (const QString& settings : kProbeSettings) {
        bool matched = false;
        if (!TrySpeed(line, pump, settings, matched)) {
            const int error = line.errorNumber();
            line.setSettings(kFallbackSettings);
            return error;
        }
        if (matched) {
            port.BaudRateText = settings.section(QLatin1Char(','), 0, 0) + QStringLiteral(" Baud ");
            port.BaudProbed = true;
            break;
        }
    }
    return 0;
}

} // namespace kc
