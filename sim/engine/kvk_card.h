// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "card.h"

namespace kc::sim {

// A KVK: a memory card whose one record is reached by SELECT of the KVK
// application and read with READ BINARY by offset.
class KvkCard : public Card {
  public:
    explicit KvkCard(const CardSetup& setup);

    [[nodiscard]] uint16_t activationStatus() const override { return sw::kOk; }
    void reset() override { selected_ = false; }

  protected:
    Response select(const Apdu& apdu) override;
    Response read(const Apdu& apdu) override;

  private:
    Bytes record_;
    KvkAid aid_;
    bool selected_ = false;
};

} // namespace kc::sim
