// SPDX-License-Identifier: Apache-2.0
// The terminal's own commands (CT-BCS, CLA 20).
#include "terminal.h"

#include "ctapi/ctbcs.h"
#include "ctapi/return_codes.h"

namespace kc::sim {

namespace {

using namespace ctapi::ctbcs;

Reply ReplyOf(uint16_t status) {
    return Reply{0, Response::status(status).bytes(), 1};
}

Reply ReplyOf(const Bytes& response) {
    return Reply{0, response, 1};
}

} // namespace

Reply Terminal::handleCtBcs(std::span<const uint8_t> command) {
    const auto apdu = Apdu::parse(command);
    if (!apdu)
        return ReplyOf(sw::kWrongLength);
    if (apdu->cla != kCla)
        return ReplyOf(sw::kClaNotSupported);
    switch (apdu->ins) {
    case kInsReset:
        if (apdu->p1 == kTerminalItself) {
            if (card_)
                card_->reset();
            return ReplyOf(setup_.resetCt);
        }
        return apdu->p1 == kIcc1 ? resetIcc() : ReplyOf(sw::kWrongParameters);
    case kInsRequestIcc:
        return requestIcc(*apdu);
    case kInsGetStatus:
        if (apdu->p2 == kStatusUnits)
            return ReplyOf(setup_.getStatus81);
        if (apdu->p2 == kStatusManufacturer)
            return ReplyOf(setup_.getStatus46);
        if (apdu->p2 == kStatusIcc)
            return iccStatus();
        return ReplyOf(sw::kWrongParameters);
    case kInsEjectIcc:
        return apdu->p1 == kIcc1 ? ejectIcc() : ReplyOf(sw::kWrongParameters);
    case kInsUsbInfo:
        return ReplyOf(setup_.usbInfo);
    default:
        return ReplyOf(sw::kInsNotSupported);
    }
}

Reply Terminal::requestIcc(const Apdu& apdu) {
    if (apdu.p1 != kIcc1)
        return ReplyOf(sw::kWrongParameters);
    if (setup_.locked == LockState::Locked)
        return ReplyOf(sw::kLocked);
    if (setup_.locked == LockState::KeyCard)
        return ReplyOf(sw::kNoCard);
    if (setup_.output == OutputMedium::DisplayError)
        return Reply{ERR_TRANS, {}, 1};
    if (pendingArrivals_ > 0) {
        --pendingArrivals_;
        return ReplyOf(sw::kNoCard);
    }
    if (!card_)
        return ReplyOf(sw::kNoCard);
    card_->reset();
    return ReplyOf(card_->activationStatus());
}

Reply Terminal::resetIcc() {
    if (setup_.output == OutputMedium::DisplayError)
        return Reply{ERR_TRANS, {}, 1};
    if (setup_.locked != LockState::Unlocked)
        return ReplyOf(sw::kLocked);
    if (!cardPresent())
        return ReplyOf(sw::kCardMissing);
    card_->reset();
    return ReplyOf(card_->activationStatus());
}

Reply Terminal::ejectIcc() {
    if (setup_.kind == TerminalKind::Handheld || !cardPresent())
        return ReplyOf(sw::kOk);
    card_.reset();
    return ReplyOf(sw::kCardRemoved);
}

Reply Terminal::iccStatus() const {
    const uint8_t status = cardPresent() ? 0x05 : 0x00;
    return ReplyOf(Bytes{0x80, 0x01, status, 0x90, 0x00});
}

} // namespace kc::sim
