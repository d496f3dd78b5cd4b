// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <array>
#include <optional>

namespace kc {

// Where each insured-person field sits on a KVK: its data-object tag and its
// width and kind in the fixed format the terminal can produce instead.
enum class FixedKind { Number, Text, Raw };

struct KvkFieldLayout {
    int tag;
    int fixedWidth; // bytes
    FixedKind kind;
};

// Indexed like InsuredRecord. Field 18 is 3 bytes wide except in a 510-digit record.
const std::array<KvkFieldLayout, 20>& KvkLayout();

constexpr int kLongApprovalWidth = 27;

// Field index of a data-object tag, or nothing for a tag the KVK does not know.
std::optional<int> FieldOfKvkTag(int tag);

} // namespace kc
