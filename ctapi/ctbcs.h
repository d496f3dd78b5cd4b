// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

// The terminal's own commands (CT-BCS): class, instructions and the
// parameters the terminals tell apart.
namespace kc::ctapi::ctbcs {
constexpr uint8_t kCla = 0x20;
constexpr uint8_t kInsReset = 0x11;
constexpr uint8_t kInsRequestIcc = 0x12;
constexpr uint8_t kInsGetStatus = 0x13;
constexpr uint8_t kInsEjectIcc = 0x15;
constexpr uint8_t kInsUsbInfo = 0x71;
// P1: the terminal itself or the card slot.
constexpr uint8_t kTerminalItself = 0x00;
constexpr uint8_t kIcc1 = 0x01;
// GET STATUS P2: the data object asked for.
constexpr uint8_t kStatusIcc = 0x80;
constexpr uint8_t kStatusUnits = 0x81;
constexpr uint8_t kStatusManufacturer = 0x46;
} // namespace kc::ctapi::ctbcs
