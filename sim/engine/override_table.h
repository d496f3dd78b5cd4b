// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sequence.h"
#include "sim/scenario.h"

#include <span>

namespace kc::sim {

// The per-command answers of one terminal, matched by command prefix.
class OverrideTable {
  public:
    explicit OverrideTable(const std::vector<Override>& overrides);

    // The next answer of the longest matching prefix, or nullptr.
    const Answer* next(std::span<const uint8_t> command);

  private:
    struct Entry {
        Bytes prefix;
        Sequence<Answer> answers;
    };
    std::vector<Entry> entries_;
};

} // namespace kc::sim
