// SPDX-License-Identifier: Apache-2.0
#include "egk/latin9.h"

namespace kc {
namespace {

char16_t Latin9Code(uint8_t byte) {
    switch (byte) {
    case 0xA4:
        return u'\u20AC';
    case 0xA6:
        return u'\u0160';
    case 0xA8:
        return u'\u0161';
    case 0xB4:
        return u'\u017D';
    case 0xB8:
        return u'\u017E';
    case 0xBC:
        return u'\u0152';
    case 0xBD:
        return u'\u0153';
    case 0xBE:
        return u'\u0178';
    default:
        return char16_t(byte);
    }
}

} // namespace

QString Latin9ToString(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(Latin9Code(uint8_t(bytes[i])));
    return text;
}

} // namespace kc
