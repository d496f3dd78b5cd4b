// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace kc {

class EventPump;
class SerialLine;

struct PnpId {
    QString manufacturer; // 3 characters
    QString product;      // 4 characters
};

// Takes the identifier out of a plug-and-play answer: at least 11 characters,
// a "(" and the first ")" at position 11 or later (1-based); the manufacturer
// follows two characters after "(", the product directly after it. None when
// the text holds no identifier.
[[nodiscard]] std::optional<PnpId> ParsePnpId(const QString& received);

// Reads the serial plug-and-play identifier (manufacturer + product, 7
// characters) of a device that raises DSR on port pn at 1200 bit/s; none when
// no device answers with one. The line is closed again on every path.
[[nodiscard]] std::optional<QString> ProbeSerialPnp(SerialLine& line, EventPump& pump, uint16_t pn);

} // namespace kc
