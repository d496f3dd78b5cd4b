// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <optional>

namespace kc {

// A settings text of the serial-port control, "9600,E,8,1": speed, parity
// (N, E, O, M, S), data bits (5 to 8) and stop bits (1, 1.5, 2).
struct SerialSettings {
    int baud = 9600;
    QChar parity = QLatin1Char('N');
    int dataBits = 8;
    QString stopBits = QStringLiteral("1");
};

// Nothing when the text is not of that form.
[[nodiscard]] std::optional<SerialSettings> ParseSerialSettings(const QString& text);

} // namespace kc
