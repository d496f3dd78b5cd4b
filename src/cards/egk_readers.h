// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/egk_read_hook.h"

namespace kc {

// The eGK readers behind the card read driver's hand-over.
class EgkReaders : public EgkReadHook {
  public:
    ReadResult ReadEgkFromCard(Context& ctx, uint16_t pn) override;
    ReadResult ReadEgkFromMobileTerminal(Context& ctx, int slot) override;
};

} // namespace kc
