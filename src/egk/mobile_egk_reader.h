// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/read_result.h"

#include <cstdint>

namespace kc {

struct Context;

// Reads the eGK record a handheld stored for slot: status and extended data,
// EF.PD and the EF.VD container, each in one command; erases the record;
// decodes the extended data into the slot's MobileVsdRecord and checks their
// checksum; then loads PD, VD and GVD and stores the fields. Done when DF.HCA
// answered (single parts may have failed with their message); Failed when it
// could not be selected. Leaves the session open.
[[nodiscard]] ReadResult ReadEgkFromMobileTerminal(Context& ctx, int slot);

} // namespace kc
