// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>
#include <cstdint>
#include <span>

namespace kc {

// How long the program waits for each call into a terminal library that runs
// in the helper before it gives the library up.
struct HostTimeLimits {
    std::chrono::milliseconds load{10000};
    // Opening a port may try several line speeds.
    std::chrono::milliseconds init{10000};
    // A command, plus the time its answer needs on a slow line and any
    // waiting time the command itself asks the terminal for.
    std::chrono::milliseconds command{5000};
    std::chrono::microseconds perResponseByte{2000}; // about twice a byte's time at 9600 bit/s
    std::chrono::milliseconds close{5000};
    std::chrono::milliseconds baudRate{5000};

    static HostTimeLimits uniform(std::chrono::milliseconds limit) {
        return {limit, limit, limit, std::chrono::microseconds(0), limit, limit};
    }
};

// The limit for one CT_data with this command and a caller that takes lenr bytes.
std::chrono::milliseconds DataTimeLimit(const HostTimeLimits& limits, std::span<const uint8_t> command,
                                        uint16_t lenr);

// The seconds a REQUEST ICC or EJECT ICC lets the terminal wait for the card;
// 0 for every other command.
unsigned RequestedWaitSeconds(std::span<const uint8_t> command);

// The bytes an ISO 7816-4 or CT-BCS command can bring back, status word
// included, by its Le; unknown layouts count as capacity.
std::size_t ExpectedResponseSize(std::span<const uint8_t> command, std::size_t capacity);

} // namespace kc
