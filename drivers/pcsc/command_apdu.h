// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kc::pcsc {

using Bytes = std::vector<uint8_t>;

// A short command APDU as the terminal reads it: header, command data, and
// whether an expected length was given.
struct CommandApdu {
    uint8_t cla = 0;
    uint8_t ins = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
    Bytes data;
    bool hasLe = false;

    // nullopt when shorter than a header or when Lc does not match the length.
    static std::optional<CommandApdu> Parse(std::span<const uint8_t> bytes);
};

// A response without data: SW1 SW2.
Bytes StatusOnly(uint16_t sw);

} // namespace kc::pcsc
