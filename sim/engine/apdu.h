// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/bytes.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kc::sim {

// A command APDU split into header, data and expected length (ISO 7816-4
// cases 1 to 4, short and extended).
struct Apdu {
    uint8_t cla = 0;
    uint8_t ins = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
    std::span<const uint8_t> data;
    // Ne; Le 00 (short) means 256, 0000 (extended) 65536.
    std::optional<uint32_t> ne;
    // True when Le was 00 / 0000: "whatever there is, up to ne".
    bool neIsWildcard = false;

    // nullopt when the bytes are not a well-formed APDU.
    static std::optional<Apdu> parse(std::span<const uint8_t> command);
};

// A response: data followed by the status word.
struct Response {
    Bytes data;
    uint16_t sw = 0x9000;

    Bytes bytes() const;
    static Response status(uint16_t sw) { return Response{{}, sw}; }
};

} // namespace kc::sim
