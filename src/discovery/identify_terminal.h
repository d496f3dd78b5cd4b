// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace kc {

class TerminalSession;
struct SlotTables;

// Asks the terminal on the open session who it is and writes the slot's
// TerminalInfo and interface description. 0 when the identification ran to
// an end (even with an unknown model); otherwise the CT-API code of the
// failed GET STATUS or the result of reading the manufacturer data.
int16_t IdentifyTerminal(TerminalSession& session, SlotTables& tables, uint16_t pn);

} // namespace kc
