// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/read_result.h"

#include <cstdint>

namespace kc {

struct Context;

// Reads the eGK in slot 1 of the terminal on pn: serial number, the VD, PD
// and GVD documents of the health application and the VSD status, and stores
// the mapped fields for the slot. Done when DF.HCA was reached and the read ran
// to its end (single documents may have failed with their message); Failed when
// the reset, the transport or a missing DF.HCA stopped it. Runs inside the
// caller's session and leaves it open.
[[nodiscard]] ReadResult ReadEgkFromCard(Context& ctx, uint16_t pn);

} // namespace kc
