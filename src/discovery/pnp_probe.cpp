// SPDX-License-Identifier: Apache-2.0
#include "discovery/pnp_probe.h"

#include "base/event_pump.h"
#include "discovery/serial_line.h"

namespace kc {
namespace {

const QString kPnpSettings = QStringLiteral("1200,N,7,1");
const QString kRestoreSettings = QStringLiteral("9600,N,8,1");
constexpr int kReadRounds = 11;

// Collects what arrives, one Timer1 tick per round, until a round brings nothing.
bool Collect(SerialLine& line, EventPump& pump, QString& collected) {
    for (int round = 0; round < kReadRounds; ++round) {
        pump.wait(WaitTimer::Timer1);
        const QString part = line.receiveText();
        pump.runPendingOnce();
        if (part.isEmpty())
            break;
        collected += part;
    }
    return line.clearReceiveBuffer();
}

bool FirstRead(SerialLine& line, EventPump& pump, QString& collected) {
    return line.setRts(true) && line.clearReceiveBuffer() && Collect(line, pump, collected);
}

// The device may need a second power-up of its interface before it talks;
// a line failing on the way leaves nothing collected.
void SecondRead(SerialLine& line, EventPump& pump, QString& collected) {
    if (!line.setDtr(false) || !line.setRts(false))
        return;
    pump.wait(WaitTimer::Timer1);
    if (line.setDtr(true) && line.setRts(true) && line.clearReceiveBuffer())
        Collect(line, pump, collected);
}

// The DSR test, then the 1200 bit/s framing and a fresh DTR; false when no device raises DSR
// or the line fails.
bool PrepareDevice(SerialLine& line, EventPump& pump) {
    if (!line.setDtr(true) || !line.setRts(false))
        return false;
    pump.wait(WaitTimer::Timer1);
    bool dsr = false;
    if (!line.dsr(dsr) || !dsr)
        return false;
    if (!line.setSettings(kPnpSettings) || !line.setDtr(false) || !line.setRts(false))
        return false;
    pump.wait(WaitTimer::Timer1);
    if (!line.setDtr(true))
        return false;
    pump.wait(WaitTimer::Timer1);
    return true;
}

// Leaves the port as other programs expect it; the first error ends this step.
void Restore(SerialLine& line) {
    if (line.setDtr(true) && line.setRts(false))
        line.setSettings(kRestoreSettings);
    line.close();
}

} // namespace

std::optional<PnpId> ParsePnpId(const QString& received) {
    if (received.size() < 11)
        return std::nullopt;
    const qsizetype open = received.indexOf(QLatin1Char('('));
    const qsizetype close = received.indexOf(QLatin1Char(')'));
    // 0-based indexes: ")" at position 11 or later is index 10 or later.
    if (open < 0 || close < 10)
        return std::nullopt;
    return PnpId{received.mid(open + 3, 3), received.mid(open + 6, 4)};
}

std::optional<QString> ProbeSerialPnp(SerialLine& line, EventPump& pump, uint16_t pn) {
    if (!line.open(pn))
        return std::nullopt;
    SerialLineCloser closer(line);
    if (!line.clearReceiveBuffer()) {
        Restore(line);
        return std::nullopt;
    }
    pump.runPendingOnce();

    QString collected;
    if (PrepareDevice(line, pump) && FirstRead(line, pump, collected) && collected.isEmpty())
        SecondRead(line, pump, collected);
    Restore(line);

    const std::optional<PnpId> id = ParsePnpId(collected);
    if (!id)
        return std::nullopt;
    return id->manufacturer + id->product;
}

} // namespace kc
