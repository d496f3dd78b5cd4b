#pragma once

#include "card.h"

namespace kc::sim {

// A KVK: a memory card whose one record is reached by SELECT of the KVK
// application and read with READ BINARY by offset.
class KvkCard : public Card {
  public:
    explicit KvkCard(const CardSetup& setup);

    uint16_t activationStatus() const override { return sw::kOk; }
    void reset() override { selected_ = false; }
    Response process(const Apdu& apdu) override;

  private:
    Response select(const Apdu& apdu);
    Response read(const Apdu& apdu) const;

    Bytes record_;
    KvkAid aid_;
    bool selected_ = false;
};

} // namespace kc::sim
