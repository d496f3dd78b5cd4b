// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "emulator_options.h"
#include "fault_plan.h"
#include "line_signals.h"
#include "pnp_responder.h"
#include "pty_device.h"
#include "sim/simulator.h"
#include "simulated_terminal.h"
#include "t1_terminal.h"

#include <csignal>
#include <memory>
#include <optional>
#include <string>

namespace kc::sim::serial {

// The scenario file's simulator, or with an empty name the one of
// MKTSIM_SCENARIO (else the built-in one); nullopt with the reason.
[[nodiscard]] std::optional<Simulator> LoadSimulator(const std::string& scenario, std::string& error);

// A scenario's terminal on the far side of a pseudo-terminal: T=1 at one line
// speed, the plug-and-play identifier, and the fault switches.
class SerialEmulator {
  public:
    SerialEmulator() = default;
    ~SerialEmulator();
    SerialEmulator(const SerialEmulator&) = delete;
    SerialEmulator& operator=(const SerialEmulator&) = delete;

    // Loads the scenario and opens the line; false with the reason.
    [[nodiscard]] bool start(const EmulatorOptions& options, std::string& error);
    // The path a host opens: the link when one was asked for, else the pseudo-terminal.
    const std::string& devicePath() const { return options_.link.empty() ? pty_.slavePath() : options_.link; }
    // Serves the line until stop is set or the terminal hangs up.
    void run(const volatile std::sig_atomic_t& stop);

    uint64_t bytesFromHost() const { return bytesFromHost_; }
    uint64_t bytesToHost() const { return bytesToHost_; }

  private:
    // The host's side is set as the terminal's is: speed, raw mode and, where known, framing.
    [[nodiscard]] bool hostMatches(int32_t speed, uint32_t framing) const;
    [[nodiscard]] bool react(const Reaction& reaction, const volatile std::sig_atomic_t& stop);
    void send(const kc::serial::Bytes& bytes, char direction);

    EmulatorOptions options_;
    std::optional<Simulator> simulator_;
    std::unique_ptr<SimulatedTerminal> behaviour_;
    FaultPlan faults_;
    std::unique_ptr<T1Terminal> terminal_;
    std::unique_ptr<PnpResponder> pnp_;
    PtyDevice pty_;
    std::optional<SharedLineSignals> signals_;
    int32_t speed_ = 9600;
    kc::serial::FrameAssembler assembler_;
    uint64_t bytesFromHost_ = 0;
    uint64_t bytesToHost_ = 0;
};

} // namespace kc::sim::serial
