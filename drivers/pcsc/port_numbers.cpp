// SPDX-License-Identifier: Apache-2.0
#include "port_numbers.h"

#include <algorithm>

namespace kc::pcsc {

namespace {

constexpr uint16_t kFirstUsbPort = 0x2000;
constexpr uint16_t kLastUsbPort = 0x20FF;

} // namespace

bool IsPcscPort(uint16_t pn) {
    return pn >= kFirstUsbPort && pn <= kLastUsbPort;
}

std::optional<std::string> ReaderForPort(uint16_t pn, std::vector<std::string> readers) {
    if (!IsPcscPort(pn))
        return std::nullopt;
    std::ranges::sort(readers);
    const std::size_t index = pn - kFirstUsbPort;
    if (index >= readers.size())
        return std::nullopt;
    return readers[index];
}

} // namespace kc::pcsc
