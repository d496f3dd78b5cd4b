// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "atr.h"
#include "command_apdu.h"
#include "ctapi/status_words.h"

#include <string_view>

namespace kc::pcsc {

namespace sw = ctapi::sw;

enum class IccState { Absent, Present, Active };

// GET STATUS 46: who this library is, with the reader's name as discretionary
// data (cut so that the object keeps a one-byte length).
[[nodiscard]] Bytes ManufacturerObject(std::string_view readerName);
// GET STATUS 81: one functional unit, the card slot.
[[nodiscard]] Bytes FunctionalUnitsObject();
// GET STATUS 80: the card slot's state.
[[nodiscard]] Bytes IccStatusObject(IccState state);
// REQUEST ICC and RESET ICC after a card came up: 9000 for a memory card,
// 9001 for a processor card, with the data that P2 asks for (01 the whole
// answer to reset, 02 its historical bytes).
[[nodiscard]] Bytes ActivationAnswer(std::span<const uint8_t> atr, uint8_t p2);

} // namespace kc::pcsc
