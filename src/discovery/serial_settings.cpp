// SPDX-License-Identifier: Apache-2.0
#include "discovery/serial_settings.h"

#include <QStringList>

namespace kc {

std::optional<SerialSettings> ParseSerialSettings(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    SerialSettings settings;
    bool ok = false;
    settings.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || settings.baud <= 0)
        return std::nullopt;
    const QString parity = parts[1].trimmed().toUpper();
    if (parity.size() != 1 || !QStringLiteral("NEOMS").contains(parity))
        return std::nullopt;
    settings.parity = parity[0];
    settings.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || settings.dataBits < 5 || settings.dataBits > 8)
        return std::nullopt;
    settings.stopBits = parts[3].trimmed();
    if (settings.stopBits != QLatin1String("1") && settings.stopBits != QLatin1String("1.5") &&
        settings.stopBits != QLatin1String("2"))
        return std::nullopt;
    return settings;
}

} // namespace kc
