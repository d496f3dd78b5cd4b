#include "memory_card.h"

namespace kc::sim {

Response MemoryCard::process(const Apdu& apdu) {
    if (apdu.cla != 0x00)
        return Response::status(sw::kClaNotSupported);
    switch (apdu.ins) {
    case 0xA4:
        return Response::status(sw::kNotFound);
    case 0xB0:
        return Response::status(sw::kNoCurrentEf);
    default:
        return Response::status(sw::kInsNotSupported);
    }
}

} // namespace kc::sim
