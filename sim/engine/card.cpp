// SPDX-License-Identifier: Apache-2.0
#include "card.h"

#include "egk_card.h"
#include "kvk_card.h"
#include "memory_card.h"

#include <algorithm>

namespace kc::sim {

std::unique_ptr<Card> Card::create(const CardSetup& setup) {
    switch (setup.type) {
    case CardType::Kvk:
        return std::make_unique<KvkCard>(setup);
    case CardType::Egk:
        return std::make_unique<EgkCard>(setup);
    case CardType::Memory:
        return std::make_unique<MemoryCard>();
    case CardType::None:
        break;
    }
    return nullptr;
}

Response Card::process(const Apdu& apdu) {
    if (apdu.cla != 0x00)
        return Response::status(sw::kClaNotSupported);
    switch (apdu.ins) {
    case 0xA4:
        return select(apdu);
    case 0xB0:
        return read(apdu);
    default:
        return Response::status(sw::kInsNotSupported);
    }
}

Response ReadBinary(const Bytes& file, uint32_t offset, const Apdu& apdu) {
    if (!apdu.ne)
        return Response::status(sw::kWrongLength);
    if (offset > file.size())
        return Response::status(sw::kOffsetOutside);
    const std::size_t available = file.size() - offset;
    const auto begin = file.begin() + static_cast<long>(offset);
    if (apdu.neIsWildcard) {
        const std::size_t count = std::min<std::size_t>(available, *apdu.ne);
        return Response{Bytes(begin, begin + static_cast<long>(count)), sw::kOk};
    }
    if (*apdu.ne <= available)
        return Response{Bytes(begin, begin + static_cast<long>(*apdu.ne)), sw::kOk};
    return Response{Bytes(begin, file.end()), sw::kEndOfFile};
}

} // namespace kc::sim
