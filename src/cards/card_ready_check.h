#pragma once

#include <cstdint>

namespace kc {

struct Context;

// Asks the terminal on pn whether a card (or a handheld's stored record) is
// there before reading, and explains the usual obstacles. 1: read at once;
// 0: first ask the person to insert a card. The session is closed again.
int16_t CheckCardReady(Context& ctx, uint16_t pn);

} // namespace kc
