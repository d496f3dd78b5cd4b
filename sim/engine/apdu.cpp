// SPDX-License-Identifier: Apache-2.0
#include "apdu.h"

namespace kc::sim {

namespace {

uint32_t Word(uint8_t high, uint8_t low) {
    return static_cast<uint32_t>(high) << 8 | low;
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
        apdu.ne = body[0] == 0 ? 256u : body[0];
        apdu.neIsWildcard = body[0] == 0;
        return apdu;
    }
    if (body[0] != 0) {
        const std::size_t lc = body[0];
        if (body.size() == 1 + lc) {
            apdu.data = body.subspan(1, lc);
            return apdu;
        }
        if (body.size() == 2 + lc) {
            apdu.data = body.subspan(1, lc);
            apdu.ne = body.back() == 0 ? 256u : body.back();
            apdu.neIsWildcard = body.back() == 0;
            return apdu;
        }
        return std::nullopt;
    }
    // Extended length: 00 followed by two bytes.
    if (body.size() < 3)
        return std::nullopt;
    const uint32_t first = Word(body[1], body[2]);
    if (body.size() == 3) {
        apdu.ne = first == 0 ? 65536u : first;
        apdu.neIsWildcard = first == 0;
        return apdu;
    }
    if (first == 0)
        return std::nullopt;
    if (body.size() == 3 + first) {
        apdu.data = body.subspan(3, first);
        return apdu;
    }
    if (body.size() == 5 + first) {
        const uint32_t le = Word(body[body.size() - 2], body.back());
        apdu.data = body.subspan(3, first);
        apdu.ne = le == 0 ? 65536u : le;
        apdu.neIsWildcard = le == 0;
        return apdu;
    }
    return std::nullopt;
}

Bytes Response::bytes() const {
    Bytes all = data;
    all.push_back(static_cast<uint8_t>(sw >> 8));
    all.push_back(static_cast<uint8_t>(sw & 0xFF));
    return all;
}

} // namespace kc::sim
