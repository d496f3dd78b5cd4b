// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "card_connection.h"
#include "command_apdu.h"
#include "pcsc_context.h"

#include "ctapi/ctbcs_terminal.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kc::pcsc {

// One CT-API session on one reader: the terminal's CT-BCS commands mapped
// onto PC/SC, and card commands passed through. The card connection is held
// from activation to the end of the session, because PC/SC powers an
// unused card down and the card would forget its selected file.
class ReaderSession : private ctapi::CtBcsTerminal {
  public:
    ReaderSession(PcscContext context, std::string reader);

    const std::string& reader() const { return reader_; }

    [[nodiscard]] Reply TerminalCommand(std::span<const uint8_t> command) { return handleCtBcs(command); }
    [[nodiscard]] Reply CardCommand(std::span<const uint8_t> command);

  private:
    // CT-BCS on a reader; its terminal commands are short.
    [[nodiscard]] Reply resetCt() override;
    [[nodiscard]] Reply resetIcc(const Apdu& apdu) override;
    [[nodiscard]] Reply requestIcc(const Apdu& apdu) override;
    [[nodiscard]] Reply ejectIcc() override;
    [[nodiscard]] Reply functionalUnits() override;
    [[nodiscard]] Reply manufacturer() override;
    [[nodiscard]] Reply iccStatus() override;
    // Connects to the card, or restarts it when connected already.
    [[nodiscard]] Reply Activate(uint8_t p2);
    [[nodiscard]] Reply Failure(LONG result);
    // The card went away or failed: drop the connection until the next activation.
    void Lose();

    PcscContext context_;
    std::string reader_;
    std::optional<CardConnection> card_;
    // Until the first activation a card command connects by itself, as a
    // terminal that powers an inserted card would; after a card was lost or
    // ejected only REQUEST ICC or RESET ICC bring it back.
    bool activatedBefore_ = false;
};

} // namespace kc::pcsc
