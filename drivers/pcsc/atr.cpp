// SPDX-License-Identifier: Apache-2.0
#include "atr.h"

#include <algorithm>
#include <array>
#include <bit>

namespace kc::pcsc {

namespace {

constexpr uint8_t kDirectConvention = 0x3B;
constexpr uint8_t kInverseConvention = 0x3F;
constexpr uint8_t kTdPresent = 0x8;
// Category 80, then the application identifier object whose RID names the PC/SC workgroup.
constexpr std::array<uint8_t, 8> kStorageCardPrefix{0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00, 0x03, 0x06};

} // namespace

std::optional<std::vector<uint8_t>> HistoricalBytes(std::span<const uint8_t> atr) {
    if (atr.size() < 2 || (atr[0] != kDirectConvention && atr[0] != kInverseConvention))
        return std::nullopt;
    const std::size_t historicalCount = atr[1] & 0x0F;
    uint8_t present = atr[1] >> 4;
    std::size_t next = 2;
    for (;;) {
        const auto interfaceBytes = static_cast<std::size_t>(std::popcount(present));
        if (next + interfaceBytes > atr.size())
            return std::nullopt;
        next += interfaceBytes;
        if (!(present & kTdPresent))
            break;
        present = atr[next - 1] >> 4;
    }
    if (next + historicalCount > atr.size())
        return std::nullopt;
    return std::vector<uint8_t>(atr.begin() + static_cast<long>(next),
                                atr.begin() + static_cast<long>(next + historicalCount));
}

CardKind KindOfCard(std::span<const uint8_t> atr) {
    if (!atr.empty() && atr[0] != kDirectConvention && atr[0] != kInverseConvention)
        return CardKind::Memory;
    const auto historical = HistoricalBytes(atr);
    if (historical && historical->size() >= kStorageCardPrefix.size() &&
        std::equal(kStorageCardPrefix.begin(), kStorageCardPrefix.end(), historical->begin()))
        return CardKind::Memory;
    return CardKind::Processor;
}

} // namespace kc::pcsc
