// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/slot_tables.h"

namespace kc {

// Copies fields 0..16 of a work list into the slot, or 0..19 for a handheld;
// fields not copied keep their previous content. Every card reader stores
// through here.
void StoreInsuredRecord(const EgkFieldBuffer& fields, SlotTables& tables, int slot);

} // namespace kc
