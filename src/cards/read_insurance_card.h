#pragma once

#include "base/read_result.h"

#include <cstdint>

namespace kc {

struct Context;
class EgkReadHook;

// One complete read of the insurance card (or a handheld's stored record) on
// port pn: Done (data read and stored in the slot), TryAgain (the person
// asked to) or Failed (also when declined). The eGK branch goes to the hook (the
// installed default when none is given).
ReadResult ReadInsuranceCard(Context& ctx, uint16_t pn);
ReadResult ReadInsuranceCard(Context& ctx, uint16_t pn, EgkReadHook& egk);

} // namespace kc
