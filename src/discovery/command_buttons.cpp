// SPDX-License-Identifier: Apache-2.0
#include "discovery/command_buttons.h"

#include "base/app_state.h"
#include "base/card_display.h"
#include "terminal/ctapi.h"

namespace kc {

void UpdateCommandButtons(AppState& state, int slot) {
    auto& buttons = state.ui.buttonEnabled;
    const bool responding = state.tables.terminal[slot].Responding;
    buttons[3] = buttons[4] = buttons[5] = responding;
    if (responding)
        ShowInsuredRecord(state.tables, slot, state.ui.card);
    buttons[1] = state.tables.port[slot].PortResult == ERR_TRANS;
}

} // namespace kc
