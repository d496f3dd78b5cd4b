// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "apdu.h"
#include "card.h"
#include "override_table.h"
#include "sequence.h"
#include "sim/scenario.h"

#include "ctapi/ctbcs_terminal.h"

#include <memory>
#include <optional>

namespace kc::sim {

using ctapi::Reply;

// One card terminal: CT-BCS commands, the card slot and the scenario's
// overrides. Its state outlives sessions, as on a real terminal.
class Terminal : private ctapi::CtBcsTerminal {
  public:
    explicit Terminal(TerminalSetup setup);

    const TerminalSetup& setup() const { return setup_; }
    [[nodiscard]] int8_t nextInitResult();
    [[nodiscard]] Reply handle(uint8_t dad, std::span<const uint8_t> command);
    [[nodiscard]] bool cardPresent() const { return card_ && pendingArrivals_ == 0; }

  private:
    [[nodiscard]] Reply handleCardCommand(std::span<const uint8_t> command);
    // CT-BCS as the scenario's terminal does it.
    [[nodiscard]] bool takesExtendedLengths() const override { return true; }
    [[nodiscard]] Reply resetCt() override;
    [[nodiscard]] Reply resetIcc(const Apdu& apdu) override;
    [[nodiscard]] Reply requestIcc(const Apdu& apdu) override;
    [[nodiscard]] Reply ejectIcc() override;
    [[nodiscard]] Reply functionalUnits() override { return TerminalAnswer(setup_.getStatus81); }
    [[nodiscard]] Reply manufacturer() override { return TerminalAnswer(setup_.getStatus46); }
    [[nodiscard]] Reply iccStatus() override;
    [[nodiscard]] Reply otherInstruction(const Apdu& apdu) override;
    // The terminal's own answer to a card command it does not pass on.
    [[nodiscard]] std::optional<Reply> cardRefusal() const;

    TerminalSetup setup_;
    std::unique_ptr<Card> card_;
    int pendingArrivals_ = 0;
    Sequence<int8_t> initResults_;
    OverrideTable overrides_;
};

} // namespace kc::sim
