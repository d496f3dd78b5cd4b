// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <cstdint>

namespace kc {

class EventPump;
class SerialLine;

struct PnpId {
    bool found = false;
    QString manufacturer; // 3 characters
    QString product;      // 4 characters
};

// Takes the identifier out of a plug-and-play answer: at least 11 characters,
// a "(" and the first ")" at position 11 or later (1-based); the manufacturer
// follows two characters after "(", the product directly after it.
[[nodiscard]] PnpId ParsePnpId(const QString& received);

struct PnpProbeResult {
    bool found = false;
    QString identifier; // manufacturer + product, 7 characters
};

// Reads the serial plug-and-play identifier of a device that raises DSR on
// port pn at 1200 bit/s. The line is closed again on every path.
[[nodiscard]] PnpProbeResult ProbeSerialPnp(SerialLine& line, EventPump& pump, uint16_t pn);

} // namespace kc
