// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/read_result.h"

#include <cstdint>

namespace kc {

struct Context;

// Where the card read driver hands over a processor card (eGK). The eGK
// readers implement it; each returns Done when the documents were read and
// stored for the slot, anything else after their own message. A context
// whose egk is null uses the built-in eGK readers.
class EgkReadHook {
  public:
    virtual ~EgkReadHook() = default;
    [[nodiscard]] virtual ReadResult ReadEgkFromCard(Context& ctx, uint16_t pn) = 0;
    [[nodiscard]] virtual ReadResult ReadEgkFromMobileTerminal(Context& ctx, int slot) = 0;
};

// Reads no eGK: both ways fail.
class NoEgkReader : public EgkReadHook {
  public:
    ReadResult ReadEgkFromCard(Context&, uint16_t) override { return ReadResult::Failed; }
    ReadResult ReadEgkFromMobileTerminal(Context&, int) override { return ReadResult::Failed; }
};

} // namespace kc
