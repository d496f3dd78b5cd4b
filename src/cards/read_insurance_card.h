#pragma once

#include <cstdint>

namespace kc {

struct Context;
class EgkReadHook;

// One complete read of the insurance card (or a handheld's stored record) on
// port pn. 0: data read and stored in the slot; 1: the person asked to try
// again; -1: failed or declined. The eGK branch goes to the hook (the
// installed default when none is given).
int16_t ReadInsuranceCard(Context& ctx, uint16_t pn);
int16_t ReadInsuranceCard(Context& ctx, uint16_t pn, EgkReadHook& egk);

} // namespace kc
