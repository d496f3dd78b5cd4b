// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/line_speeds.h"
#include "ctapi/pseudo_terminal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>

namespace kc::sim::serial {

// The far side of an emulated serial port: the master of a pseudo-terminal.
// A descriptor of the slave side stays open as well, so that the line does
// not hang up each time a host program closes the port.
class PtyDevice {
  public:
    // False with the reason in error.
    [[nodiscard]] bool create(std::string& error);
    [[nodiscard]] int master() const { return line_ ? line_->master() : -1; }
    const std::string& slavePath() const { return slavePath_; }
    dev_t slaveDevice() const { return slaveDevice_; }
    // The host's side of the line as the master sees the slave's settings:
    // its speed, and whether a program has it in raw mode (a line left in
    // line-editing mode echoes and must not be talked to). Parity and
    // character size do not travel over a pseudo-terminal.
    struct HostSide {
        int32_t speed = 0;
        bool raw = false;
    };
    [[nodiscard]] HostSide hostSide() const;
    // Sends what it can without waiting; bytes nobody reads are lost, as on a wire.
    void send(const uint8_t* bytes, std::size_t count);
    // Both sides closed: the host sees the line hang up.
    void hangUp();

  private:
    std::optional<ctapi::PseudoTerminal> line_;
    std::string slavePath_;
    dev_t slaveDevice_ = 0;
};

} // namespace kc::sim::serial
