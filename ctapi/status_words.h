// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

// Status words the terminals and cards answer with, by name.
namespace kc::ctapi::sw {
constexpr uint16_t kOk = 0x9000;
constexpr uint16_t kProcessorCardOk = 0x9001;
constexpr uint16_t kCardRemoved = 0x9001;
constexpr uint16_t kHandheldResetOk = 0x9500;
constexpr uint16_t kNoCard = 0x6200;
constexpr uint16_t kNoCardInTime = 0x6200;
constexpr uint16_t kEndOfFile = 0x6282;
constexpr uint16_t kDeactivated = 0x6283;
constexpr uint16_t kCardMissing = 0x6400;
constexpr uint16_t kWrongLength = 0x6700;
constexpr uint16_t kLocked = 0x6900;
constexpr uint16_t kSecurityNotSatisfied = 0x6982;
constexpr uint16_t kOutputToDisplay = 0x6985;
constexpr uint16_t kNoCurrentEf = 0x6986;
constexpr uint16_t kWrongParameters = 0x6A00;
constexpr uint16_t kNotFound = 0x6A82;
constexpr uint16_t kIncorrectP1P2 = 0x6A86;
constexpr uint16_t kOffsetOutside = 0x6B00;
constexpr uint16_t kInsNotSupported = 0x6D00;
constexpr uint16_t kClaNotSupported = 0x6E00;
} // namespace kc::ctapi::sw
