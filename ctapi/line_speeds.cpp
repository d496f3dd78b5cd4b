// SPDX-License-Identifier: Apache-2.0
#include "ctapi/line_speeds.h"

#include <array>
#include <utility>

namespace kc::ctapi {

namespace {

constexpr std::array<std::pair<int32_t, speed_t>, 8> kSpeeds = {{{1200, B1200},
                                                                 {2400, B2400},
                                                                 {4800, B4800},
                                                                 {9600, B9600},
                                                                 {19200, B19200},
                                                                 {38400, B38400},
                                                                 {57600, B57600},
                                                                 {115200, B115200}}};

} // namespace

speed_t SpeedConstant(int32_t baud) {
    for (const auto& [bits, constant] : kSpeeds)
        if (bits == baud)
            return constant;
    return B0;
}

int32_t BaudOf(speed_t speed) {
    for (const auto& [bits, constant] : kSpeeds)
        if (constant == speed)
            return bits;
    return 0;
}

} // namespace kc::ctapi
