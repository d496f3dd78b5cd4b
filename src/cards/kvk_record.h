// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/kvk_parse_target.h"

#include <QString>

namespace kc {

// Parses the record of a KVK (READ BINARY data as upper-case hex, without the
// status word) into the slot: ASN.1 template or fixed format, checksum, and a
// handheld's additions with their own checksum. Returns true when the record
// was refused; the person has then been told why in a message box.
[[nodiscard]] bool ParseKvkRecord(const KvkParseTarget& target, int slot, const QString& record);
[[nodiscard]] bool ParseKvkRecord(Context& ctx, int slot, const QString& record);

} // namespace kc
