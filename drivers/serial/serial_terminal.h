// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/return_codes.h"
#include "serial/port_line.h"
#include "serial/t1_host.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

namespace kc::serial {

// The line speeds tried when a port is opened, in this order.
inline constexpr int32_t kLineSpeeds[] = {9600, 115200, 57600, 38400, 19200};

// One card terminal on a serial port: the device, the speed it answers at
// and the T=1 link to it. Calls on one terminal are serialised.
class SerialTerminal {
  public:
    explicit SerialTerminal(std::unique_ptr<PortLine> line, T1Timing timing = {})
        : line_(std::move(line)), host_(*line_, timing) {}

    // Opens the device of pn and finds the speed at which the terminal
    // answers RESYNCH. A CT-API code.
    [[nodiscard]] int8_t open(uint16_t pn);
    // One command and its answer; lenr and the buffer as in CT_data.
    [[nodiscard]] int8_t data(uint8_t dad, std::span<const uint8_t> command, uint8_t& sad, uint16_t& lenr,
                              uint8_t* response);
    [[nodiscard]] int32_t baud() const { return baud_; }

  private:
    std::mutex mutex_;
    std::unique_ptr<PortLine> line_;
    T1Host host_;
    int32_t baud_ = 0;
};

} // namespace kc::serial
