// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "card.h"

namespace kc::sim {

// A memory card that is not a KVK: it powers up, and holds nothing that the
// program can select.
class MemoryCard : public Card {
  public:
    [[nodiscard]] uint16_t activationStatus() const override { return sw::kOk; }
    void reset() override {}

  protected:
    Response select(const Apdu&) override { return Response::status(sw::kNotFound); }
    Response read(const Apdu&) override { return Response::status(sw::kNoCurrentEf); }
};

} // namespace kc::sim
