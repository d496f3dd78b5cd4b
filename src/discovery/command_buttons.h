// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc {

struct AppState;

// Buttons 3 to 5 (read, copy, reset) follow whether a terminal answered on
// the slot, which then also shows its card data; button 1 (the diagnosis)
// is there for a free port where no terminal answered.
void UpdateCommandButtons(AppState& state, int slot);

} // namespace kc
