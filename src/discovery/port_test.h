// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/port_result.h"

#include <cstdint>

namespace kc {

struct AppState;
struct Context;
class EventPump;
class SerialLine;
struct SlotTables;

// Outcome of opening a COM port on its own: opened, missing, busy or any
// other open error; dsr tells whether the far end raised DSR.
struct ComProbe {
    PortResultCode result = kPortResultOpened;
    bool dsr = false;
};

[[nodiscard]] ComProbe ProbeComPort(SerialLine& line, EventPump& pump, uint16_t pn);

// Empties the identity texts of a slot and clears Responding; the mobile,
// virtual-COM and card-data flags stay.
void ResetTerminalInfo(SlotTables& tables, int slot);

// What a port test starts with: the slot forgets its port, its terminal and
// the card data read there.
void ForgetPortTest(AppState& state, int slot);

// Tests one port: the line, its speed, the terminal library and the terminal
// on it. Fills the slot's PortStatus and TerminalInfo and its status page.
void TestPort(Context& ctx, SerialLine& line, uint16_t pn);

} // namespace kc
