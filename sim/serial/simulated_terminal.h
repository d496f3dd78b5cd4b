// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/simulator.h"
#include "t1_terminal.h"

namespace kc::sim::serial {

// A terminal of a scenario, played by the simulator engine on one port
// number. Each RESYNCH opens a new session; a session the scenario does not
// open (an init result other than 0) leaves the terminal silent.
class SimulatedTerminal : public TerminalBehaviour {
  public:
    SimulatedTerminal(Simulator& simulator, uint16_t pn) : simulator_(simulator), pn_(pn) {}

    [[nodiscard]] bool restart() override;
    [[nodiscard]] std::optional<Answer> execute(uint8_t destination, const Bytes& command) override;

  private:
    Simulator& simulator_;
    uint16_t pn_;
};

} // namespace kc::sim::serial
