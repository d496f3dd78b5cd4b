// SPDX-License-Identifier: Apache-2.0
#include "command_apdu.h"

namespace kc::pcsc {

std::optional<CommandApdu> CommandApdu::Parse(std::span<const uint8_t> bytes) {
    if (bytes.size() < 4)
        return std::nullopt;
    CommandApdu apdu{bytes[0], bytes[1], bytes[2], bytes[3], {}, false};
    const auto body = bytes.subspan(4);
    if (body.empty())
        return apdu;
    if (body.size() == 1) {
        apdu.hasLe = true;
        return apdu;
    }
    const std::size_t lc = body[0];
    if (lc == 0 || body.size() < 1 + lc || body.size() > 2 + lc)
        return std::nullopt;
    apdu.data.assign(body.begin() + 1, body.begin() + 1 + static_cast<long>(lc));
    apdu.hasLe = body.size() == 2 + lc;
    return apdu;
}

Bytes StatusOnly(uint16_t sw) {
    return Bytes{static_cast<uint8_t>(sw >> 8), static_cast<uint8_t>(sw & 0xFF)};
}

} // namespace kc::pcsc
