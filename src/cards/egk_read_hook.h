#pragma once

#include <cstdint>

namespace kc {

struct Context;

// Where the card read driver hands over a processor card (eGK). The eGK
// readers implement it; each returns 0 when the documents were read and
// stored for the slot, anything else after their own message.
class EgkReadHook {
  public:
    virtual ~EgkReadHook() = default;
    virtual int16_t ReadEgkFromCard(Context& ctx, uint16_t pn) = 0;
    virtual int16_t ReadEgkFromMobileTerminal(Context& ctx, int slot) = 0;
};

// Reads no eGK: both ways fail with -1.
class NoEgkReader : public EgkReadHook {
  public:
    int16_t ReadEgkFromCard(Context& ctx, uint16_t pn) override;
    int16_t ReadEgkFromMobileTerminal(Context& ctx, int slot) override;
};

// The hook the driver uses when none is passed: the eGK readers, unless
// another hook was installed. InstallEgkReadHook(nullptr) goes back to them.
EgkReadHook& DefaultEgkReadHook();
void InstallEgkReadHook(EgkReadHook* hook);

} // namespace kc
