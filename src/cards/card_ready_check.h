// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace kc {

struct Context;

// Whether to read at once (a card or record is there, or the person has
// already been told what is wrong) or first to ask for a card.
enum class CardReadiness : int16_t { InsertCard = 0, ReadNow = 1 };

// Asks the terminal on pn whether a card (or a handheld's stored record) is
// there before reading, and explains the usual obstacles. The session is
// closed again.
[[nodiscard]] CardReadiness CheckCardReady(Context& ctx, uint16_t pn);

} // namespace kc
