#pragma once

#include "base/slot_tables.h"

#include <QByteArray>
#include <cstdint>

namespace kc {

struct Context;

// Decompress one VSD document, keep its text for the information window,
// load it (validated against the kind's schema text when validation is on)
// and map it onto the fields. 0: handled, parsed and validated or not;
// −2: decompression failed; −1: empty input, a document that does not parse
// with validation on, or an error that was shown in a box.
int16_t LoadVdDocument(Context& ctx, const QByteArray& compressed, EgkFieldBuffer& fields, int slot);
int16_t LoadPdDocument(Context& ctx, const QByteArray& compressed, EgkFieldBuffer& fields, int slot);
int16_t LoadGvdDocument(Context& ctx, const QByteArray& compressed, EgkFieldBuffer& fields, int slot);

} // namespace kc
