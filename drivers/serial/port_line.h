// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "serial/byte_line.h"

#include <cstdint>
#include <string>

namespace kc::serial {

// How opening a serial device went: a decision the caller turns into a
// CT-API code, so it must not be dropped.
enum class [[nodiscard]] OpenResult{Opened, Missing, InUse, Failed};

// The line to a terminal as a port that is opened by its device path and
// set to a speed; a serial device in the library, anything else in tests.
class PortLine : public ByteLine {
  public:
    [[nodiscard]] virtual OpenResult open(const std::string& path) = 0;
    virtual void close() = 0;
    [[nodiscard]] virtual bool setSpeed(int32_t baud) = 0;
};

} // namespace kc::serial
