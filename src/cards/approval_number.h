// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/slot_tables.h"

#include <QString>
#include <cstdint>

namespace kc {

// A handheld's record names the approval number of the terminal that read
// the card; it tells the model series better than the terminal's own answer.
// selectedPort is the port number of the terminal in use.
void ApplyZulassungsnummer(const QString& approval, SlotTables& tables, uint16_t selectedPort, int slot);

} // namespace kc
