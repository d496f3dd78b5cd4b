// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "egk/xml_node.h"

namespace kc {

// The depth-first walk shared by the mapping and the version searches: it
// enters containers and hands every other node to the visitor as a leaf.
class TreeVisitor {
  public:
    virtual ~TreeVisitor() = default;
    // Before a container is entered; false ends the walk.
    virtual bool enterContainer(const XmlNode& container) = 0;
    virtual void visitLeaf(const XmlNode& leaf) = 0;
    // When a run of siblings is done, before the walk climbs back; false ends the walk.
    virtual bool finishList() { return true; }
};

enum class WalkEnd { Complete, TooDeep, Stopped };

// Containers open below the node the walk starts from; one more is too deep.
constexpr int kWalkStackLimit = 33;

// A container has children and its first child is an element.
[[nodiscard]] bool IsContainer(const XmlNode& node);

// Walks the descendants of root in document order.
WalkEnd WalkTree(const XmlNode& root, TreeVisitor& visitor);

} // namespace kc
