// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kc::sim {

using Bytes = std::vector<uint8_t>;

// Upper-case hexadecimal, two digits per byte, no separators.
std::string ToHex(std::span<const uint8_t> bytes);

// Hexadecimal digits of either case, blanks allowed between them; nullopt on
// any other character or an odd digit count.
[[nodiscard]] std::optional<Bytes> FromHex(std::string_view text);

} // namespace kc::sim
