// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "egk/xml_node.h"

#include <QString>
#include <cstdint>

namespace kc {

// The version a schema fixes for its documents: the name of a declared
// CDM_VERSION (or VERSION) attribute, a blank and its fixed value, e.g.
// "CDM_VERSION 5.1.0". 0 when found; −1 with an empty text otherwise.
int16_t FindSchemaVersion(const XmlNode& node, QString& version);

// The version a node carries in its own CDM_VERSION or VERSION attribute
// ("CDM_VERSION 5.2.0", "version 5.2.0"), or failing that one named by an
// attribute declaration below it. 0 when found; −1 with an empty text otherwise.
int16_t FindDocumentVersion(const XmlNode& node, QString& version);

} // namespace kc
