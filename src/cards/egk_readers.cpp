#include "cards/egk_readers.h"

#include "egk/egk_card_reader.h"
#include "egk/mobile_egk_reader.h"

namespace kc {

int16_t EgkReaders::ReadEgkFromCard(Context& ctx, uint16_t pn) {
    return kc::ReadEgkFromCard(ctx, pn);
}

int16_t EgkReaders::ReadEgkFromMobileTerminal(Context& ctx, int slot) {
    return kc::ReadEgkFromMobileTerminal(ctx, slot);
}

} // namespace kc
