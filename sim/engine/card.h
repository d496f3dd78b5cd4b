// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "apdu.h"
#include "sim/scenario.h"

#include <memory>

namespace kc::sim {

// Status words the simulated cards and terminals use by name.
namespace sw {
constexpr uint16_t kOk = 0x9000;
constexpr uint16_t kProcessorCardOk = 0x9001;
constexpr uint16_t kCardRemoved = 0x9001;
constexpr uint16_t kHandheldResetOk = 0x9500;
constexpr uint16_t kNoCard = 0x6200;
constexpr uint16_t kEndOfFile = 0x6282;
constexpr uint16_t kDeactivated = 0x6283;
constexpr uint16_t kCardMissing = 0x6400;
constexpr uint16_t kWrongLength = 0x6700;
constexpr uint16_t kLocked = 0x6900;
constexpr uint16_t kSecurityNotSatisfied = 0x6982;
constexpr uint16_t kOutputToDisplay = 0x6985;
constexpr uint16_t kNoCurrentEf = 0x6986;
constexpr uint16_t kWrongParameters = 0x6A00;
constexpr uint16_t kNotFound = 0x6A82;
constexpr uint16_t kIncorrectP1P2 = 0x6A86;
constexpr uint16_t kOffsetOutside = 0x6B00;
constexpr uint16_t kInsNotSupported = 0x6D00;
constexpr uint16_t kClaNotSupported = 0x6E00;
} // namespace sw

// The card in slot 1 (or a handheld's stored record, which answers alike).
class Card {
  public:
    virtual ~Card() = default;

    // Status word of a successful REQUEST ICC / RESET ICC: 9000 for a
    // memory card, 9001 for a processor card.
    virtual uint16_t activationStatus() const = 0;
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
