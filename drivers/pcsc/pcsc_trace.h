// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/bytes.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include <winscard.h>

namespace kc::pcsc {

// With CTAPI_PCSC_TRACE naming a file ("-" for standard error), every PC/SC
// call of the library is written there, one line each: the call, its
// arguments, PC/SC's result and what came back.
[[nodiscard]] bool TraceOn();
void TracePcscCall(std::string_view call, LONG result, std::string_view detail = {});

} // namespace kc::pcsc
