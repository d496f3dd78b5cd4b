#pragma once

#include "base/read_result.h"

#include <cstdint>

namespace kc {

struct Context;

// Where the card read driver hands over a processor card (eGK). The eGK
// readers implement it; each returns Done when the documents were read and
// stored for the slot, anything else after their own message.
class EgkReadHook {
  public:
    virtual ~EgkReadHook() = default;
    virtual ReadResult ReadEgkFromCard(Context& ctx, uint16_t pn) = 0;
    virtual ReadResult ReadEgkFromMobileTerminal(Context& ctx, int slot) = 0;
};

// Reads no eGK: both ways fail.
class NoEgkReader : public EgkReadHook {
  public:
    ReadResult ReadEgkFromCard(Context& ctx, uint16_t pn) override;
    ReadResult ReadEgkFromMobileTerminal(Context& ctx, int slot) override;
};

// The hook the driver uses when none is passed: the eGK readers, unless
// another hook was installed. InstallEgkReadHook(nullptr) goes back to them.
EgkReadHook& DefaultEgkReadHook();
void InstallEgkReadHook(EgkReadHook* hook);

} // namespace kc
