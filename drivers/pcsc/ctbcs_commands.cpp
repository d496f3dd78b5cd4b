// SPDX-License-Identifier: Apache-2.0
// The terminal's own commands (CT-BCS, CLA 20) on a PC/SC reader.
#include "reader_session.h"

#include "terminal_answers.h"

#include <chrono>

namespace kc::pcsc {

Reply ReaderSession::requestIcc(const Apdu& apdu) {
    // The command data, when there is any, is the waiting time in seconds.
    const std::chrono::seconds waitingTime(apdu.data.empty() ? 0 : apdu.data.back());
    bool present = false;
    if (const LONG result = context_.WaitForCard(reader_, waitingTime, present); result != SCARD_S_SUCCESS)
        return Failure(result);
    if (!present)
        return TerminalAnswer(sw::kNoCardInTime);
    return Activate(apdu.p2);
}

Reply ReaderSession::resetIcc(const Apdu& apdu) {
    bool present = false;
    if (const LONG result = context_.WaitForCard(reader_, std::chrono::seconds(0), present);
        result != SCARD_S_SUCCESS)
        return Failure(result);
    if (!present) {
        Lose();
        return TerminalAnswer(sw::kCardMissing);
    }
    return Activate(apdu.p2);
}

Reply ReaderSession::resetCt() {
    if (card_ && card_->Reset() != SCARD_S_SUCCESS)
        Lose();
    return TerminalAnswer(sw::kOk);
}

Reply ReaderSession::functionalUnits() {
    return TerminalAnswer(FunctionalUnitsObject());
}

Reply ReaderSession::manufacturer() {
    return TerminalAnswer(ManufacturerObject(reader_));
}

Reply ReaderSession::iccStatus() {
    bool present = false;
    if (const LONG result = context_.WaitForCard(reader_, std::chrono::seconds(0), present);
        result != SCARD_S_SUCCESS)
        return Failure(result);
    return TerminalAnswer(IccStatusObject(!present ? IccState::Absent
                                          : card_  ? IccState::Active
                                                   : IccState::Present));
}

Reply ReaderSession::ejectIcc() {
    if (card_)
        card_->Disconnect(SCARD_UNPOWER_CARD);
    card_.reset();
    activatedBefore_ = true;
    return TerminalAnswer(sw::kOk);
}

} // namespace kc::pcsc
