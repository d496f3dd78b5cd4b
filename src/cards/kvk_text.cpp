// SPDX-License-Identifier: Apache-2.0
#include "cards/kvk_text.h"

#include "terminal/hex_codec.h"

namespace kc {
namespace {

QChar KvkChar(uint8_t byte) {
    switch (byte) {
    case 0x5B:
        return QChar(0x00C4); // Ä
    case 0x5C:
        return QChar(0x00D6); // Ö
    case 0x5D:
        return QChar(0x00DC); // Ü
    case 0x7B:
        return QChar(0x00E4); // ä
    case 0x7C:
        return QChar(0x00F6); // ö
    case 0x7D:
        return QChar(0x00FC); // ü
    case 0x7E:
        return QChar(0x00DF); // ß
    default:
        return Cp1252Char(byte);
    }
}

} // namespace

QString DecodeKvkText(const QString& hex, int digits) {
    QString text;
    const int last = qMin(digits, int(hex.size()));
    for (int pos = 1; pos + 1 <= last; pos += 2) {
        const int value = HexByteAt(hex, pos);
        if (value < 0)
            break;
        text.append(KvkChar(uint8_t(value)));
    }
    return text;
}

bool IsHexRecordText(const QString& hex) {
    if (hex.size() % 2 != 0)
        return false;
    for (int pos = 1; pos < hex.size(); pos += 2) {
        if (HexByteAt(hex, pos) < 0)
            return false;
    }
    return true;
}

} // namespace kc
