// SPDX-License-Identifier: Apache-2.0
// The terminal's own commands (CT-BCS, CLA 20) on a PC/SC reader.
#include "reader_session.h"

#include "terminal_answers.h"

#include "ctapi/ctbcs.h"

#include <chrono>

namespace kc::pcsc {

namespace {

using namespace ctapi::ctbcs;

Reply Answer(Bytes bytes) {
    return Reply{0, std::move(bytes), 1};
}
Reply Answer(uint16_t status) {
    return Answer(StatusOnly(status));
}

} // namespace

Reply ReaderSession::TerminalCommand(std::span<const uint8_t> command) {
    // A reader's terminal commands are short: extended lengths count as wrong.
    const auto apdu = Apdu::parse(command);
    if (!apdu || apdu->extended)
        return Answer(sw::kWrongLength);
    if (apdu->cla != kCla)
        return Answer(sw::kClaNotSupported);
    switch (apdu->ins) {
    case kInsReset:
        if (apdu->p1 == kTerminalItself)
            return ResetCt();
        return apdu->p1 == kIcc1 ? ResetIcc(*apdu) : Answer(sw::kWrongParameters);
    case kInsRequestIcc:
        return apdu->p1 == kIcc1 ? RequestIcc(*apdu) : Answer(sw::kWrongParameters);
    case kInsGetStatus:
        return GetStatus(*apdu);
    case kInsEjectIcc:
        return apdu->p1 == kIcc1 ? EjectIcc() : Answer(sw::kWrongParameters);
    default:
        return Answer(sw::kInsNotSupported);
    }
}

Reply ReaderSession::RequestIcc(const Apdu& apdu) {
    // The command data, when there is any, is the waiting time in seconds.
    const std::chrono::seconds waitingTime(apdu.data.empty() ? 0 : apdu.data.back());
    bool present = false;
    if (const LONG result = context_.WaitForCard(reader_, waitingTime, present); result != SCARD_S_SUCCESS)
        return Failure(result);
    if (!present)
        return Answer(sw::kNoCardInTime);
    return Activate(apdu.p2);
}

Reply ReaderSession::ResetIcc(const Apdu& apdu) {
    bool present = false;
    if (const LONG result = context_.WaitForCard(reader_, std::chrono::seconds(0), present);
        result != SCARD_S_SUCCESS)
        return Failure(result);
    if (!present) {
        Lose();
        return Answer(sw::kCardMissing);
    }
    return Activate(apdu.p2);
}

Reply ReaderSession::ResetCt() {
    if (card_ && card_->Reset() != SCARD_S_SUCCESS)
        Lose();
    return Answer(sw::kOk);
}

Reply ReaderSession::GetStatus(const Apdu& apdu) {
    switch (apdu.p2) {
    case kStatusManufacturer:
        return Answer(ManufacturerObject(reader_));
    case kStatusUnits:
        return Answer(FunctionalUnitsObject());
    case kStatusIcc: {
        bool present = false;
        if (const LONG result = context_.WaitForCard(reader_, std::chrono::seconds(0), present);
            result != SCARD_S_SUCCESS)
            return Failure(result);
        return Answer(IccStatusObject(!present ? IccState::Absent
                                      : card_  ? IccState::Active
                                               : IccState::Present));
    }
    default:
        return Answer(sw::kWrongParameters);
    }
}

Reply ReaderSession::EjectIcc() {
    if (card_)
        card_->Disconnect(SCARD_UNPOWER_CARD);
    card_.reset();
    activatedBefore_ = true;
    return Answer(sw::kOk);
}

} // namespace kc::pcsc
