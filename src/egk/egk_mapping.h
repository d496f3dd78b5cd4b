// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/slot_tables.h"
#include "egk/xml_node.h"

namespace kc {

// Each mapping walks the document element once: it lists the leaf elements
// in the slot's element list and copies selected texts into the fields.
// False when the walk completed; true when it did not (no children, or
// containers nested deeper than the walk's stack), with what was stored
// up to then kept.
bool MapVdDocument(const XmlNode& root, EgkFieldBuffer& fields, EgkResults& results);
bool MapPdDocument(const XmlNode& root, EgkFieldBuffer& fields, EgkResults& results);
bool MapGvdDocument(const XmlNode& root, EgkFieldBuffer& fields, EgkResults& results);

} // namespace kc
