// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/bytes.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kc::ctapi {

// A command APDU split into header, data and expected length (ISO 7816-4
// cases 1 to 4, short and extended). The data points into the parsed bytes.
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
    // Lc or Le took the three-byte extended form.
    bool extended = false;

    // nullopt when the lengths do not add up to the bytes given.
    [[nodiscard]] static std::optional<Apdu> parse(std::span<const uint8_t> command);
};

// What one CT_data call hands back.
struct Reply {
    int8_t code = 0; // CT-API code; non-zero: nothing is written
    Bytes bytes;     // full response, normally data + SW1 SW2
    uint8_t sad = 1; // 1 the terminal answered, 0 the card
};

} // namespace kc::ctapi
