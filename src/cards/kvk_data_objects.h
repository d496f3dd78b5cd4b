// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/kvk_parse_target.h"

#include <QString>

namespace kc {

enum class KvkObjectsResult {
    Complete,   // every object read (or 20 of them)
    UnknownTag, // stopped at a tag the KVK does not know
    Overrun,    // an object claims more bytes than the text holds
};

// Decodes the data objects of an ASN.1 record (and whatever follows the
// template: a handheld's additions) into the slot. The fields decoded before
// a defect stay stored. A defect is shown as "Defekter KVK Datensatz!!!".
[[nodiscard]] KvkObjectsResult ParseKvkDataObjects(const QString& objects, const KvkParseTarget& target,
                                                   int slot);

// The box for a record whose structure cannot be read.
void ShowDefectiveKvkRecord(MessageBoxes& boxes);

} // namespace kc
