// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "serial/t1_block.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace kc::sim::serial {

// The serial plug-and-play answer of the device: when RTS rises while DTR is
// up, it sends its identifier at 1200 bit/s, 7 data bits, no parity.
class PnpResponder {
  public:
    using Clock = std::chrono::steady_clock;

    // id: the 7 characters of manufacturer and product ("DEZ0042"); empty for a device without one.
    explicit PnpResponder(std::string id) : id_(std::move(id)) {}

    // Looks at the host's modem lines; returns the bytes the device sends now.
    // hostListening: the host's side is at 1200 bit/s, 7 data bits.
    [[nodiscard]] std::optional<kc::serial::Bytes> onLines(uint32_t hostLines, bool hostListening,
                                                           Clock::time_point now);

  private:
    std::string id_;
    uint32_t previous_ = 0;
    std::optional<Clock::time_point> due_;
};

} // namespace kc::sim::serial
