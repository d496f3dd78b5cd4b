// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "serial/port_line.h"

#include <array>
#include <cstdint>
#include <string>
#include <termios.h>

namespace kc::serial {

// A serial device opened for a terminal: raw 8 data bits, even parity, one
// stop bit, no flow control, DTR and RTS raised (where the device has modem
// lines: a pseudo-terminal has none). Held exclusively while open; its
// earlier settings come back when it is closed.
class TtyLine : public PortLine {
  public:
    TtyLine() = default;
    ~TtyLine() override;
    TtyLine(const TtyLine&) = delete;
    TtyLine& operator=(const TtyLine&) = delete;

    [[nodiscard]] OpenResult open(const std::string& path) override;
    [[nodiscard]] bool isOpen() const { return fd_ >= 0; }
    void close() override;
    [[nodiscard]] bool setSpeed(int32_t baud) override;

    [[nodiscard]] bool write(std::span<const uint8_t> bytes) override;
    Read read(uint8_t& byte, Milliseconds wait) override;
    void discard() override;

  private:
    int fd_ = -1;
    termios original_{};
    std::array<uint8_t, 256> buffer_{};
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

} // namespace kc::serial
