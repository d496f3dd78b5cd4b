// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc {

struct Context;
struct SlotTables;

// Opens and closes every serial port number 1 to 256 and every USB device
// through the terminal library and fills FurtherPorts: row 0 the result of
// each open, row 1 the further ports (5 and up, and USB) that opened.
void EnumerateFurtherPorts(Context& ctx);

// The port numbers of row 1 up to the first 0.
int FurtherPortCount(const SlotTables& tables);

} // namespace kc
