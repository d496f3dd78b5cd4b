// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/read_result.h"

#include <cstdint>

namespace kc {

struct Context;

// One complete read of the insurance card (or a handheld's stored record) on
// port pn: Done (data read and stored in the slot), TryAgain (the person
// asked to) or Failed (also when declined). The eGK branch goes to the
// context's eGK hook.
[[nodiscard]] ReadResult ReadInsuranceCard(Context& ctx, uint16_t pn);

} // namespace kc
