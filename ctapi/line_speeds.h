// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <termios.h>

namespace kc::ctapi {

// The speeds a serial terminal and its host agree on, 1200 to 115200 bit/s,
// as termios names them. One table for the serial library and the emulator.
// The termios constant of a speed; B0 for any other.
[[nodiscard]] speed_t SpeedConstant(int32_t baud);
// Bits per second of a termios constant; 0 for any other.
[[nodiscard]] int32_t BaudOf(speed_t speed);
[[nodiscard]] inline bool IsLineSpeed(int32_t baud) {
    return SpeedConstant(baud) != B0;
}

} // namespace kc::ctapi
