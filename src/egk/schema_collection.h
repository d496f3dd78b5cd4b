// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "egk/libxml_handles.h"
#include "egk/xml_error.h"
#include "egk/xml_node.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace kc {

// XSD schemas keyed by namespace URI. Each added schema is copied and
// compiled, so the collection does not depend on the document it came from.
class SchemaCollection {
  public:
    SchemaCollection();
    ~SchemaCollection();
    SchemaCollection(const SchemaCollection&) = delete;
    SchemaCollection& operator=(const SchemaCollection&) = delete;

    // Adds (or replaces) the schema for namespaceUri. A schema whose target
    // namespace differs from the key, or that does not compile, is refused.
    [[nodiscard]] std::optional<XmlError> add(const QString& namespaceUri, const XmlNode& schema);
    // The schema's node tree, null when none is held for the URI.
    XmlNode get(const QString& namespaceUri) const;
    int length() const { return int(entries_.size()); }

    xmlSchemaPtr compiled(const QString& namespaceUri) const;

  private:
    struct Entry;
    const Entry* find(const QString& namespaceUri) const;
    std::vector<std::unique_ptr<Entry>> entries_;
};

} // namespace kc
