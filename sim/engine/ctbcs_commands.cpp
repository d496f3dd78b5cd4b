// SPDX-License-Identifier: Apache-2.0
// The terminal's own commands (CT-BCS, CLA 20) as the scenario sets them.
#include "terminal.h"

#include "ctapi/ctbcs.h"
#include "ctapi/return_codes.h"

namespace kc::sim {

using namespace ctapi::ctbcs;

Reply Terminal::resetCt() {
    if (card_)
        card_->reset();
    return TerminalAnswer(setup_.resetCt);
}

Reply Terminal::requestIcc(const Apdu&) {
    if (setup_.locked == LockState::Locked)
        return TerminalAnswer(sw::kLocked);
    if (setup_.locked == LockState::KeyCard)
        return TerminalAnswer(sw::kNoCard);
    if (setup_.output == OutputMedium::DisplayError)
        return Reply{ERR_TRANS, {}, 1};
    if (pendingArrivals_ > 0) {
        --pendingArrivals_;
        return TerminalAnswer(sw::kNoCard);
    }
    if (!card_)
        return TerminalAnswer(sw::kNoCard);
    card_->reset();
    return TerminalAnswer(card_->activationStatus());
}

Reply Terminal::resetIcc(const Apdu&) {
    if (setup_.output == OutputMedium::DisplayError)
        return Reply{ERR_TRANS, {}, 1};
    if (setup_.locked != LockState::Unlocked)
        return TerminalAnswer(sw::kLocked);
    if (!cardPresent())
        return TerminalAnswer(sw::kCardMissing);
    card_->reset();
    return TerminalAnswer(card_->activationStatus());
}

Reply Terminal::ejectIcc() {
    if (setup_.kind == TerminalKind::Handheld || !cardPresent())
        return TerminalAnswer(sw::kOk);
    card_.reset();
    return TerminalAnswer(sw::kCardRemoved);
}

Reply Terminal::iccStatus() {
    const uint8_t status = cardPresent() ? 0x05 : 0x00;
    return TerminalAnswer(Bytes{0x80, 0x01, status, 0x90, 0x00});
}

Reply Terminal::otherInstruction(const Apdu& apdu) {
    return apdu.ins == kInsUsbInfo ? TerminalAnswer(setup_.usbInfo) : CtBcsTerminal::otherInstruction(apdu);
}

} // namespace kc::sim
