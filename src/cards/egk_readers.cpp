// SPDX-License-Identifier: Apache-2.0
#include "cards/egk_readers.h"

#include "egk/egk_card_reader.h"
#include "egk/mobile_egk_reader.h"

namespace kc {

ReadResult EgkReaders::ReadEgkFromCard(Context& ctx, uint16_t pn) {
    return kc::ReadEgkFromCard(ctx, pn);
}

ReadResult EgkReaders::ReadEgkFromMobileTerminal(Context& ctx, int slot) {
    return kc::ReadEgkFromMobileTerminal(ctx, slot);
}

} // namespace kc
