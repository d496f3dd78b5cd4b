// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kc::pcsc {

enum class CardKind { Memory, Processor };

// What kind of card an answer to reset stands for. A memory card shows either
// its own synchronous answer (first byte other than 3B or 3F) or the answer a
// PC/SC reader builds for a storage card (historical bytes 80 4F .. A0 00 00 03 06).
CardKind KindOfCard(std::span<const uint8_t> atr);

// The historical bytes of an ISO 7816-3 answer to reset; nullopt when the
// answer is not in that form or ends early.
std::optional<std::vector<uint8_t>> HistoricalBytes(std::span<const uint8_t> atr);

} // namespace kc::pcsc
