// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>
#include <cstdint>
#include <span>

namespace kc::serial {

using Milliseconds = std::chrono::milliseconds;

// The byte stream to a terminal. Every read waits a bounded time.
class ByteLine {
  public:
    enum class Read { Byte, Timeout, Failed };

    virtual ~ByteLine() = default;
    // False when the line is gone (the far end hung up, an I/O error).
    [[nodiscard]] virtual bool write(std::span<const uint8_t> bytes) = 0;
    virtual Read read(uint8_t& byte, Milliseconds wait) = 0;
    // Drops what has been received and not yet read, and what waits to be sent.
    virtual void discard() = 0;
};

} // namespace kc::serial
