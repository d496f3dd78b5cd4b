// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace kc {

struct AppState;
struct Context;
class EventPump;
class SerialLine;
struct SlotTables;

// Outcome of opening a COM port on its own: 0 opened, 1 no such port, 2 in
// use, 3 any other error; dsr tells whether the far end raised DSR.
struct ComProbe {
    int result = 0;
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
