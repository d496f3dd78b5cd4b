// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kc::ctapi {

using Bytes = std::vector<uint8_t>;

// Value of one hexadecimal digit of either case; -1 for any other character.
[[nodiscard]] int HexDigitValue(char c);

// Upper-case hexadecimal, two digits per byte, no separators.
[[nodiscard]] std::string ToHex(std::span<const uint8_t> bytes);

// Hexadecimal digits of either case, blanks allowed between them; nullopt on
// any other character or an odd digit count.
[[nodiscard]] std::optional<Bytes> FromHex(std::string_view text);

// A response without data: SW1 SW2.
[[nodiscard]] Bytes StatusOnly(uint16_t sw);

} // namespace kc::ctapi
