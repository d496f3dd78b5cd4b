// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/slot_tables.h"

#include <cstdint>

namespace kc {

struct Context;
class MessageBoxes;

// What the KVK parser reads and writes: the slot tables, the port number of
// the terminal in use (for the approval-number rules) and the message boxes.
struct KvkParseTarget {
    SlotTables& tables;
    uint16_t selectedPort;
    MessageBoxes& boxes;
};

KvkParseTarget KvkTargetOf(Context& ctx);

} // namespace kc
