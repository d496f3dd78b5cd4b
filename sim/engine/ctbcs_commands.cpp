// The terminal's own commands (CT-BCS, CLA 20).
#include "terminal.h"

namespace kc::sim {

namespace {

constexpr uint8_t kInsReset = 0x11;
constexpr uint8_t kInsRequestIcc = 0x12;
constexpr uint8_t kInsGetStatus = 0x13;
constexpr uint8_t kInsEjectIcc = 0x15;
constexpr uint8_t kInsUsbInfo = 0x71;
constexpr uint8_t kIcc1 = 0x01;

Reply answer(uint16_t status) {
    return Reply{0, Response::status(status).bytes(), 1};
}

Reply answer(const Bytes& response) {
    return Reply{0, response, 1};
}

} // namespace

Reply Terminal::handleCtBcs(std::span<const uint8_t> command) {
    const auto apdu = Apdu::parse(command);
    if (!apdu)
        return answer(sw::kWrongLength);
    if (apdu->cla != 0x20)
        return answer(sw::kClaNotSupported);
    switch (apdu->ins) {
    case kInsReset:
        if (apdu->p1 == 0x00) {
            if (card_)
                card_->reset();
            return answer(setup_.resetCt);
        }
        return apdu->p1 == kIcc1 ? resetIcc() : answer(sw::kWrongParameters);
    case kInsRequestIcc:
        return requestIcc(*apdu);
    case kInsGetStatus:
        if (apdu->p2 == 0x81)
            return answer(setup_.getStatus81);
        if (apdu->p2 == 0x46)
            return answer(setup_.getStatus46);
        if (apdu->p2 == 0x80)
            return iccStatus();
        return answer(sw::kWrongParameters);
    case kInsEjectIcc:
        return apdu->p1 == kIcc1 ? ejectIcc() : answer(sw::kWrongParameters);
    case kInsUsbInfo:
        return answer(setup_.usbInfo);
    default:
        return answer(sw::kInsNotSupported);
    }
}

Reply Terminal::requestIcc(const Apdu& apdu) {
    if (apdu.p1 != kIcc1)
        return answer(sw::kWrongParameters);
    if (setup_.locked == LockState::Locked)
        return answer(sw::kLocked);
    if (setup_.locked == LockState::KeyCard)
        return answer(sw::kNoCard);
    if (setup_.output == OutputMedium::DisplayError)
        return Reply{-10, {}, 1};
    if (pendingArrivals_ > 0) {
        --pendingArrivals_;
        return answer(sw::kNoCard);
    }
    if (!card_)
        return answer(sw::kNoCard);
    card_->reset();
    return answer(card_->activationStatus());
}

Reply Terminal::resetIcc() {
    if (setup_.output == OutputMedium::DisplayError)
        return Reply{-10, {}, 1};
    if (setup_.locked != LockState::Unlocked)
        return answer(sw::kLocked);
    if (!cardPresent())
        return answer(sw::kCardMissing);
    card_->reset();
    return answer(card_->activationStatus());
}

Reply Terminal::ejectIcc() {
    if (setup_.kind == TerminalKind::Handheld || !cardPresent())
        return answer(sw::kOk);
    card_.reset();
    return answer(sw::kCardRemoved);
}

Reply Terminal::iccStatus() const {
    const uint8_t status = cardPresent() ? 0x05 : 0x00;
    return answer(Bytes{0x80, 0x01, status, 0x90, 0x00});
}

} // namespace kc::sim
