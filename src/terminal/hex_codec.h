// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace kc {

// Two hex digits per byte, either letter case. A pair that is not hex, or a
// lone last digit, ends the conversion: only whole, valid pairs become bytes.
[[nodiscard]] QByteArray HexToBytes(const QString& hex);

// Upper-case hex, two digits per byte ("0A").
QString BytesToHex(const QByteArray& bytes);
QString BytesToHex(const uint8_t* bytes, int count);

// One character per hex pair, the pair's value read as Windows-1252.
QString HexToAscii(const QString& hex);

// Windows-1252 character of a byte (0x80-0x9F included).
QChar Cp1252Char(uint8_t byte);

// XOR of the bytes whose digits start at first, first+2, ... up to last (1-based positions).
uint8_t HexXorChecksum(const QString& hex, int first, int last);

// Value of the two hex digits at 1-based position pos, or -1 when they are not hex.
int HexByteAt(const QString& hex, int pos);

} // namespace kc
