// SPDX-License-Identifier: Apache-2.0
#include "terminal/hex_codec.h"

#include "ctapi/bytes.h"

#include <array>

namespace kc {
namespace {

int DigitValue(QChar c) {
    return c.unicode() < 0x80 ? ctapi::HexDigitValue(static_cast<char>(c.unicode())) : -1;
}

// Windows-1252 for 0x80-0x9F; the five unassigned codes keep their C1 value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

int HexByteAt(const QString& hex, int pos) {
    if (pos < 1 || pos + 1 > hex.size())
        return -1;
    const int high = DigitValue(hex[pos - 1]);
    const int low = DigitValue(hex[pos]);
    if (high < 0 || low < 0)
        return -1;
    return high * 16 + low;
}

QByteArray HexToBytes(const QString& hex) {
    QByteArray bytes;
    bytes.reserve(hex.size() / 2);
    for (int pos = 1; pos + 1 <= hex.size(); pos += 2) {
        const int value = HexByteAt(hex, pos);
        if (value < 0)
            break;
        bytes.append(char(value));
    }
    return bytes;
}

QString BytesToHex(const uint8_t* bytes, int count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString hex;
    hex.reserve(count * 2);
    for (int i = 0; i < count; ++i) {
        hex.append(QLatin1Char(kDigits[bytes[i] >> 4]));
        hex.append(QLatin1Char(kDigits[bytes[i] & 0x0F]));
    }
    return hex;
}

QString BytesToHex(const QByteArray& bytes) {
    return BytesToHex(reinterpret_cast<const uint8_t*>(bytes.constData()), int(bytes.size()));
}

QChar Cp1252Char(uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kCp1252High[byte - 0x80]);
    return QChar(char16_t(byte));
}

QString HexToAscii(const QString& hex) {
    QString text;
    for (int pos = 1; pos + 1 <= hex.size(); pos += 2) {
        const int value = HexByteAt(hex, pos);
        if (value < 0)
            break;
        text.append(Cp1252Char(uint8_t(value)));
    }
    return text;
}

uint8_t HexXorChecksum(const QString& hex, int first, int last) {
    uint8_t sum = 0;
    for (int pos = first; pos <= last; pos += 2) {
        const int value = HexByteAt(hex, pos);
        if (value < 0)
            break;
        sum ^= uint8_t(value);
    }
    return sum;
}

} // namespace kc
