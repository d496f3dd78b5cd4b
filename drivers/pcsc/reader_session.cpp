// SPDX-License-Identifier: Apache-2.0
#include "reader_session.h"

#include "terminal_answers.h"

#include <ctapi.h>

namespace kc::pcsc {

namespace {

constexpr uint8_t kSadTerminal = 1;
constexpr uint8_t kSadCard = 0;

bool CardGone(LONG result) {
    switch (result) {
    case SCARD_E_NO_SMARTCARD:
    case SCARD_W_REMOVED_CARD:
    case SCARD_W_UNPOWERED_CARD:
    case SCARD_W_UNRESPONSIVE_CARD:
    case SCARD_W_UNSUPPORTED_CARD:
    case SCARD_W_RESET_CARD:
    case SCARD_E_PROTO_MISMATCH:
    case SCARD_E_NOT_TRANSACTED:
        return true;
    default:
        return false;
    }
}

bool ServiceGone(LONG result) {
    return result == SCARD_E_NO_SERVICE || result == SCARD_E_SERVICE_STOPPED ||
           result == SCARD_E_INVALID_HANDLE;
}

} // namespace

ReaderSession::ReaderSession(PcscContext context, std::string reader)
    : context_(std::move(context)), reader_(std::move(reader)) {}

void ReaderSession::Lose() {
    card_.reset();
}

Reply ReaderSession::Failure(LONG result) {
    Lose();
    // A card that left answers as a terminal without a card would; a
    // vanished pcscd or reader is the library's own failure.
    if (CardGone(result))
        return Reply{0, StatusOnly(sw::kCardMissing), kSadTerminal};
    return Reply{static_cast<int8_t>(ServiceGone(result) ? ERR_HTSI : ERR_TRANS), {}, kSadTerminal};
}

Reply ReaderSession::Activate(uint8_t p2) {
    activatedBefore_ = true;
    const LONG result = card_ ? card_->Reset() : CardConnection::Connect(context_.handle(), reader_, card_);
    if (result != SCARD_S_SUCCESS)
        return Failure(result);
    return Reply{0, ActivationAnswer(card_->atr(), p2), kSadTerminal};
}

Reply ReaderSession::CardCommand(std::span<const uint8_t> command) {
    if (!card_) {
        if (activatedBefore_)
            return Reply{0, StatusOnly(sw::kCardMissing), kSadTerminal};
        if (Reply activation = Activate(0); !card_)
            return activation;
    }
    Bytes response;
    if (const LONG result = card_->Transmit(command, response); result != SCARD_S_SUCCESS)
        return Failure(result);
    if (response.size() < 2)
        return Failure(SCARD_F_COMM_ERROR);
    return Reply{0, std::move(response), kSadCard};
}

} // namespace kc::pcsc
