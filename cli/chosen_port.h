// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace kc {
struct AppState;
struct Context;
class SerialLine;
} // namespace kc

namespace kc::cli {

// Chooses port pn as the window does when it is picked: its slot, and for a
// further port the tab caption and interface description of slot 5.
void ChoosePort(AppState& state, uint16_t pn);

// Tests the chosen port as the scan does, under the scan's status text, and
// fills its status page.
void TestChosenPort(Context& ctx, SerialLine& line);

} // namespace kc::cli
