// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/kvk_parse_target.h"

#include <QString>

namespace kc {

// Decodes a record the terminal delivered in fixed-width fields (438, 462 or
// 510 hex digits). Any other length decodes and stores nothing.
void ParseKvkFixedRecord(const QString& record, const KvkParseTarget& target, int slot);

} // namespace kc
