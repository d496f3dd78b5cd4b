// SPDX-License-Identifier: Apache-2.0
#include "kvk_card.h"

#include <algorithm>
#include <array>

namespace kc::sim {

namespace {

constexpr std::array<uint8_t, 6> kKvkAid{0xD2, 0x76, 0x00, 0x00, 0x01, 0x01};
constexpr std::array<uint8_t, 6> kOldKvkAid{0xD2, 0x80, 0x00, 0x00, 0x01, 0x01};

bool Equals(std::span<const uint8_t> data, std::span<const uint8_t> aid) {
    return std::ranges::equal(data, aid);
}

} // namespace

KvkCard::KvkCard(const CardSetup& setup) : record_(setup.kvkRecord), aid_(setup.kvkAid) {}

Response KvkCard::select(const Apdu& apdu) {
    const bool newAid = apdu.p1 == 0x04 && Equals(apdu.data, kKvkAid) && aid_ != KvkAid::Old;
    const bool oldAid = apdu.p1 == 0x04 && Equals(apdu.data, kOldKvkAid) && aid_ != KvkAid::New;
    selected_ = newAid || oldAid;
    return Response::status(selected_ ? sw::kOk : sw::kNotFound);
}

Response KvkCard::read(const Apdu& apdu) {
    if (!apdu.ne)
        return Response::status(sw::kWrongLength);
    if (apdu.p1 & 0x80)
        return Response::status(sw::kNotFound);
    if (!selected_)
        return Response::status(sw::kNoCurrentEf);
    return ReadBinary(record_, static_cast<uint32_t>(apdu.p1) << 8 | apdu.p2, apdu);
}

} // namespace kc::sim
