// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "command_apdu.h"

#include <optional>
#include <span>
#include <string>

#include <winscard.h>

namespace kc::pcsc {

// A PC/SC connection to the card in one reader, shared with other programs.
// Ending it leaves the card as it is, unless Disconnect said otherwise.
class CardConnection {
  public:
    // result: what SCardConnect said; out is set when it succeeded.
    [[nodiscard]] static LONG Connect(SCARDCONTEXT context, const std::string& reader,
                                      std::optional<CardConnection>& out);

    CardConnection(CardConnection&& other) noexcept;
    CardConnection& operator=(CardConnection&& other) noexcept;
    CardConnection(const CardConnection&) = delete;
    CardConnection& operator=(const CardConnection&) = delete;
    ~CardConnection();

    // Cold start of the card on the same connection; the answer to reset is read anew.
    [[nodiscard]] LONG Reset();
    // One command APDU and its complete response (data + SW1 SW2). Under T=0
    // the GET RESPONSE and wrong-length rounds are done here.
    [[nodiscard]] LONG Transmit(std::span<const uint8_t> command, Bytes& response);
    // Ends the connection now with the given disposition (SCARD_UNPOWER_CARD, ...).
    void Disconnect(DWORD disposition);

    const Bytes& atr() const { return atr_; }

  private:
    CardConnection(SCARDHANDLE handle, DWORD protocol, std::string reader)
        : handle_(handle), protocol_(protocol), reader_(std::move(reader)) {}
    [[nodiscard]] LONG readAtr();
    [[nodiscard]] LONG exchange(std::span<const uint8_t> command, Bytes& response);

    SCARDHANDLE handle_ = 0;
    DWORD protocol_ = 0;
    std::string reader_;
    Bytes atr_;
    bool owned_ = true;
};

} // namespace kc::pcsc
