// SPDX-License-Identifier: Apache-2.0
#include "ctapi/line_speeds.h"

#include <gtest/gtest.h>

namespace kc::ctapi {
namespace {

// The host sets what the emulator reads back: each speed survives the way
// there and back, and nothing in between is taken for one.
TEST(LineSpeeds, EachSpeedMapsToItsOwnConstantAndBack) {
    const std::pair<int32_t, speed_t> speeds[] = {{1200, B1200},   {2400, B2400},    {4800, B4800},
                                                  {9600, B9600},   {19200, B19200},  {38400, B38400},
                                                  {57600, B57600}, {115200, B115200}};
    for (const auto& [baud, constant] : speeds) {
        EXPECT_EQ(SpeedConstant(baud), constant) << baud;
        EXPECT_EQ(BaudOf(constant), baud) << baud;
    }
    for (int32_t other : {0, 300, 2401, 14400, 230400, -9600})
        EXPECT_FALSE(IsLineSpeed(other)) << other;
    EXPECT_EQ(BaudOf(B230400), 0);
}

} // namespace
} // namespace kc::ctapi
