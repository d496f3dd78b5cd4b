// SPDX-License-Identifier: Apache-2.0
#include "chosen_port.h"

#include "base/app_state.h"
#include "base/context.h"
#include "base/status_line.h"
#include "discovery/port_names.h"
#include "discovery/port_test.h"

namespace kc::cli {

void ChoosePort(AppState& state, uint16_t pn) {
    state.SelectedPort = pn;
    state.SelectedSlot = SlotOfPort(pn);
    if (state.SelectedSlot != kFurtherSlot)
        return;
    state.ui.tabCaptions[kFurtherSlot - 1] = FurtherPortTabCaption(pn);
    state.tables.port[kFurtherSlot].InterfaceText = InterfaceDescription(pn);
}

void TestChosenPort(Context& ctx, SerialLine& line) {
    ctx.status.showStatus(PortTestingText(ctx.state.SelectedPort));
    TestPort(ctx, line, ctx.state.SelectedPort);
}

} // namespace kc::cli
