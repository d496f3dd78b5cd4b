// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/slot_tables.h"

namespace kc::cli {

class Console;

// What the eGK information window shows for a slot: the card panel, the
// element tables of PD, VD and GVD with their validation texts, and, when
// asked for, the three XML texts.
void PrintEgkInfo(Console& console, const SlotTables& tables, int slot, bool withXml);

} // namespace kc::cli
