// SPDX-License-Identifier: Apache-2.0
#include "override_table.h"

#include <algorithm>

namespace kc::sim {

OverrideTable::OverrideTable(const std::vector<Override>& overrides) {
    for (const auto& entry : overrides)
        entries_.push_back({entry.prefix, Sequence<Answer>(entry.answers)});
}

const Answer* OverrideTable::next(std::span<const uint8_t> command) {
    Entry* best = nullptr;
    for (auto& entry : entries_) {
        const bool matches = entry.prefix.size() <= command.size() &&
                             std::equal(entry.prefix.begin(), entry.prefix.end(), command.begin());
        if (matches && (!best || entry.prefix.size() > best->prefix.size()))
            best = &entry;
    }
    return best ? best->answers.next() : nullptr;
}

} // namespace kc::sim
