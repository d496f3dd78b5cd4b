// SPDX-License-Identifier: Apache-2.0
#include "egk/tree_walk.h"

#include <array>

namespace kc {

bool IsContainer(const XmlNode& node) {
    return node.firstChild().isElement();
}

WalkEnd WalkTree(const XmlNode& root, TreeVisitor& visitor) {
    // Only the containers are kept: the position in their list is the container itself.
    std::array<XmlNode, kWalkStackLimit> stack;
    int depth = 0;
    XmlNode current = root.firstChild();
    for (;;) {
        if (current.isNull()) {
            if (!visitor.finishList())
                return WalkEnd::Stopped;
            if (depth == 0)
                return WalkEnd::Complete;
            current = stack[std::size_t(--depth)].nextSibling();
            continue;
        }
        if (IsContainer(current)) {
            if (!visitor.enterContainer(current))
                return WalkEnd::Stopped;
            if (depth == kWalkStackLimit)
                return WalkEnd::TooDeep;
            stack[std::size_t(depth++)] = current;
            current = current.firstChild();
            continue;
        }
        visitor.visitLeaf(current);
        current = current.nextSibling();
    }
}

} // namespace kc
