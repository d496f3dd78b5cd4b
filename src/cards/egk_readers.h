#pragma once

#include "cards/egk_read_hook.h"

namespace kc {

// The eGK readers behind the card read driver's hand-over.
class EgkReaders : public EgkReadHook {
  public:
    int16_t ReadEgkFromCard(Context& ctx, uint16_t pn) override;
    int16_t ReadEgkFromMobileTerminal(Context& ctx, int slot) override;
};

} // namespace kc
