// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <vector>

namespace kc::sim {

// Hands out its items one per call; the last one sticks.
template <typename T> class Sequence {
  public:
    Sequence() = default;
    explicit Sequence(std::vector<T> items) : items_(std::move(items)) {}

    // nullptr when the sequence is empty.
    const T* next() {
        if (items_.empty())
            return nullptr;
        const T& item = items_[position_];
        if (position_ + 1 < items_.size())
            ++position_;
        return &item;
    }

  private:
    std::vector<T> items_;
    std::size_t position_ = 0;
};

} // namespace kc::sim
