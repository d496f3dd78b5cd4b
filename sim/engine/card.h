// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "apdu.h"
#include "ctapi/status_words.h"
#include "sim/scenario.h"

#include <memory>

namespace kc::sim {

namespace sw = ctapi::sw;

// The card in slot 1 (or a handheld's stored record, which answers alike).
class Card {
  public:
    virtual ~Card() = default;

    // Status word of a successful REQUEST ICC / RESET ICC: 9000 for a
    // memory card, 9001 for a processor card.
    [[nodiscard]] virtual uint16_t activationStatus() const = 0;
    // Back to the state after power-on: MF, nothing selected.
    virtual void reset() = 0;
    // Card commands (CLA 00): SELECT and READ BINARY; anything else is refused.
    Response process(const Apdu& apdu);

    // nullptr for CardType::None.
    static std::unique_ptr<Card> create(const CardSetup& setup);

  protected:
    virtual Response select(const Apdu& apdu) = 0;
    virtual Response read(const Apdu& apdu) = 0;
};

// READ BINARY of a transparent file from offset, with the Le rules of the
// 5- and 7-byte forms.
Response ReadBinary(const Bytes& file, uint32_t offset, const Apdu& apdu);

} // namespace kc::sim
