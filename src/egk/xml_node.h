// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QList>
#include <QString>

struct _xmlNode;
struct _xmlAttr;

namespace kc {

// One attribute of an element: its name without prefix and its value.
struct XmlAttribute {
    QString localName;
    QString value;
};

// A node of a loaded document, valid while its document lives. A default
// node is null: it stands for an absent document element or child.
class XmlNode {
  public:
    XmlNode() = default;
    explicit XmlNode(_xmlNode* node) : node_(node) {}

    bool isNull() const { return node_ == nullptr; }
    bool isElement() const;

    // The name without prefix for elements, attributes and processing
    // instructions; empty for text, comments and other nodes.
    QString localName() const;
    QString namespaceUri() const;
    // For an element all the text below it, for other nodes their own content.
    QString text() const;

    // Child nodes in document order.
    int childCount() const;
    XmlNode firstChild() const;
    XmlNode nextSibling() const;
    XmlNode child(int index) const;

    // Attributes of an element (namespace declarations are not attributes);
    // none for other nodes.
    QList<XmlAttribute> attributes() const;

    _xmlNode* raw() const { return node_; }
    bool operator==(const XmlNode& other) const = default;

  private:
    _xmlNode* node_ = nullptr;
};

} // namespace kc
