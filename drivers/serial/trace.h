// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "serial/t1_block.h"

#include <string_view>

namespace kc::serial {

// The library is silent unless CTAPI_SERIAL_TRACE names a file to append to
// ("-" for standard error). One line per event, flushed at once.
[[nodiscard]] bool TraceOn();
void Trace(std::string_view text);
// "> 12 00 05 ..." for a frame sent, "< ..." for one received.
void TraceFrame(char direction, std::span<const uint8_t> frame);

} // namespace kc::serial
