// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/simulator.h"

#include <optional>
#include <span>

namespace kc::sim::vpcd {

// A scenario terminal's card as a card in a PC/SC reader: the simulator
// answers its commands, the reader's power and reset reach it as a reset,
// and it leaves the reader when the scenario says so.
class VirtualCard {
  public:
    // terminal: the scenario terminal whose card this is.
    VirtualCard(Simulator simulator, const TerminalSetup& terminal);

    // What the card does with one message from the reader.
    struct Handled {
        std::optional<Bytes> reply;
        bool leave = false; // pull the card out after the reply
    };
    Handled handle(std::span<const uint8_t> message);

    // The answer to reset: a T=1 processor card for an eGK, the answer a
    // PC/SC reader builds for a storage card for a KVK or other memory card.
    const Bytes& atr() const { return atr_; }
    // Whether the scenario puts a card into the reader at all.
    [[nodiscard]] bool hasCard() const { return card_.type != CardType::None; }
    // How long the card stays out after leaving; nullopt: for good.
    [[nodiscard]] std::optional<int> backAfterMs() const { return card_.backAfterMs; }

  private:
    void powerUp();
    [[nodiscard]] Bytes answer(std::span<const uint8_t> command);

    Simulator simulator_;
    CardSetup card_;
    Bytes atr_;
    int answered_ = 0;
    bool leftOnce_ = false;
};

} // namespace kc::sim::vpcd
