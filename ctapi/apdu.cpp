// SPDX-License-Identifier: Apache-2.0
#include "ctapi/apdu.h"

namespace kc::ctapi {

namespace {

uint32_t Word(uint8_t high, uint8_t low) {
    return static_cast<uint32_t>(high) << 8 | low;
}

void SetNe(Apdu& apdu, uint32_t le, uint32_t wildcard) {
    apdu.ne = le == 0 ? wildcard : le;
    apdu.neIsWildcard = le == 0;
}

std::optional<Apdu> ParseShort(Apdu apdu, std::span<const uint8_t> body) {
    const std::size_t lc = body[0];
    if (body.size() != 1 + lc && body.size() != 2 + lc)
        return std::nullopt;
    apdu.data = body.subspan(1, lc);
    if (body.size() == 2 + lc)
        SetNe(apdu, body.back(), 256);
    return apdu;
}

// Extended length: 00 followed by two bytes.
std::optional<Apdu> ParseExtended(Apdu apdu, std::span<const uint8_t> body) {
    if (body.size() < 3)
        return std::nullopt;
    apdu.extended = true;
    const uint32_t first = Word(body[1], body[2]);
    if (body.size() == 3) {
        SetNe(apdu, first, 65536);
        return apdu;
    }
    if (first == 0 || (body.size() != 3 + first && body.size() != 5 + first))
        return std::nullopt;
    apdu.data = body.subspan(3, first);
    if (body.size() == 5 + first)
        SetNe(apdu, Word(body[body.size() - 2], body.back()), 65536);
    return apdu;
}

} // namespace

std::optional<Apdu> Apdu::parse(std::span<const uint8_t> command) {
    if (command.size() < 4)
        return std::nullopt;
    Apdu apdu;
    apdu.cla = command[0];
    apdu.ins = command[1];
    apdu.p1 = command[2];
    apdu.p2 = command[3];
    const auto body = command.subspan(4);
    if (body.empty())
        return apdu;
    if (body.size() == 1) {
        SetNe(apdu, body[0], 256);
        return apdu;
    }
    return body[0] != 0 ? ParseShort(apdu, body) : ParseExtended(apdu, body);
}

} // namespace kc::ctapi
