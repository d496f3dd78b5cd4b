// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace kc {

class TerminalSession;
struct SlotTables;

// GET STATUS of the manufacturer data object (tag 46) into the slot's
// Manufacturer, CtType and SoftwareVersion. 0 stored, 1 unusable answer,
// otherwise the CT-API code.
[[nodiscard]] int16_t ReadManufacturerData(TerminalSession& session, SlotTables& tables, int slot);

} // namespace kc
