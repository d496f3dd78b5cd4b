// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/read_result.h"
#include "base/slot_tables.h"

#include <QByteArray>
#include <cstdint>

namespace kc {

struct Context;

// Decompress one VSD document, keep its text for the information window,
// load it (validated against the kind's schema text when validation is on)
// and map it onto the fields. Done: handled, parsed and validated or not;
// Refused: decompression failed; Failed: empty input, a document that does not
// parse with validation on, or an error that was shown in a box.
[[nodiscard]] ReadResult LoadVdDocument(Context& ctx, const QByteArray& compressed, EgkFieldBuffer& fields,
                                        int slot);
[[nodiscard]] ReadResult LoadPdDocument(Context& ctx, const QByteArray& compressed, EgkFieldBuffer& fields,
                                        int slot);
[[nodiscard]] ReadResult LoadGvdDocument(Context& ctx, const QByteArray& compressed, EgkFieldBuffer& fields,
                                         int slot);

} // namespace kc
