// SPDX-License-Identifier: Apache-2.0
#include "terminal/host_time_limits.h"

#include <algorithm>

namespace kc {
namespace {

constexpr uint8_t kCtBcsClass = 0x20;
constexpr uint8_t kRequestIcc = 0x12;
constexpr uint8_t kEjectIcc = 0x15;
constexpr uint8_t kWaitingTimeTag = 0x80;
constexpr std::size_t kStatusWordSize = 2;

std::size_t ShortLe(uint8_t le) {
    return le == 0 ? 256 : le;
}
std::size_t ExtendedLe(uint8_t high, uint8_t low) {
    const std::size_t le = std::size_t(high) << 8 | low;
    return le == 0 ? 65536 : le;
}

// The answer data an APDU asks for by its case: nothing, a short or an
// extended Le; SIZE_MAX for a layout it does not know.
std::size_t RequestedData(std::span<const uint8_t> c) {
    const std::size_t n = c.size();
    constexpr std::size_t kUnknown = SIZE_MAX;
    if (n < 4)
        return kUnknown;
    if (n == 4)
        return 0;
    if (n == 5)
        return ShortLe(c[4]);
    if (c[4] != 0) {
        const std::size_t lc = c[4];
        if (n == 5 + lc)
            return 0;
        return n == 6 + lc ? ShortLe(c[5 + lc]) : kUnknown;
    }
    if (n < 7)
        return kUnknown;
    if (n == 7)
        return ExtendedLe(c[5], c[6]);
    // Longer than 7 bytes, so a body of lc bytes means lc is not 0.
    const std::size_t lc = std::size_t(c[5]) << 8 | c[6];
    if (n == 7 + lc)
        return 0;
    return lc != 0 && n == 9 + lc ? ExtendedLe(c[7 + lc], c[8 + lc]) : kUnknown;
}

} // namespace

unsigned RequestedWaitSeconds(std::span<const uint8_t> c) {
    if (c.size() < 6 || c[0] != kCtBcsClass || (c[1] != kRequestIcc && c[1] != kEjectIcc))
        return 0;
    const std::size_t lc = c[4];
    if (lc == 0 || c.size() < 5 + lc)
        return 0;
    const std::span<const uint8_t> data = c.subspan(5, lc);
    // Older terminals take the time as the only data byte, newer ones as a tagged value.
    if (lc == 1)
        return data[0];
    if (data[0] != kWaitingTimeTag || lc < 2u + data[1])
        return 0;
    if (data[1] == 1)
        return data[2];
    return data[1] == 2 ? unsigned(data[2]) << 8 | data[3] : 0;
}

std::size_t ExpectedResponseSize(std::span<const uint8_t> command, std::size_t capacity) {
    const std::size_t data = RequestedData(command);
    return data == SIZE_MAX ? capacity : std::min(data + kStatusWordSize, capacity);
}

std::chrono::milliseconds DataTimeLimit(const HostTimeLimits& limits, std::span<const uint8_t> command,
                                        uint16_t lenr) {
    using namespace std::chrono;
    const auto transfer = limits.perResponseByte * ExpectedResponseSize(command, lenr);
    return limits.command + duration_cast<milliseconds>(transfer) + seconds(RequestedWaitSeconds(command));
}

} // namespace kc
