#pragma once

#include "card.h"

namespace kc::sim {

// A memory card that is not a KVK: it powers up, and holds nothing that the
// program can select.
class MemoryCard : public Card {
  public:
    uint16_t activationStatus() const override { return sw::kOk; }
    void reset() override {}
    Response process(const Apdu& apdu) override;
};

} // namespace kc::sim
