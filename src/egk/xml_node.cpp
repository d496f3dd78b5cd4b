// SPDX-License-Identifier: Apache-2.0
#include "egk/xml_node.h"

#include "egk/libxml_handles.h"

namespace kc {

bool XmlNode::isElement() const {
    return node_ && node_->type == XML_ELEMENT_NODE;
}

QString XmlNode::localName() const {
    if (!node_)
        return {};
    switch (node_->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_PI_NODE:
        return xml::FromXml(node_->name);
    default:
        return {};
    }
}

QString XmlNode::namespaceUri() const {
    if (!node_ || (node_->type != XML_ELEMENT_NODE && node_->type != XML_ATTRIBUTE_NODE) || !node_->ns)
        return {};
    return xml::FromXml(node_->ns->href);
}

QString XmlNode::text() const {
    if (!node_)
        return {};
    xml::CharsPtr content(xmlNodeGetContent(node_));
    return xml::FromXml(content.get());
}

int XmlNode::childCount() const {
    int count = 0;
    for (XmlNode child = firstChild(); !child.isNull(); child = child.nextSibling())
        ++count;
    return count;
}

XmlNode XmlNode::firstChild() const {
    // Attribute values are not children here, as in the document object model.
    if (!node_ || node_->type == XML_ATTRIBUTE_NODE || node_->type == XML_ENTITY_REF_NODE)
        return XmlNode();
    return XmlNode(node_->children);
}

XmlNode XmlNode::nextSibling() const {
    return node_ ? XmlNode(node_->next) : XmlNode();
}

XmlNode XmlNode::child(int index) const {
    XmlNode node = firstChild();
    for (int i = 0; i < index && !node.isNull(); ++i)
        node = node.nextSibling();
    return index < 0 ? XmlNode() : node;
}

QList<XmlAttribute> XmlNode::attributes() const {
    QList<XmlAttribute> found;
    if (!isElement())
        return found;
    for (xmlAttrPtr attr = node_->properties; attr; attr = attr->next) {
        xml::CharsPtr value(xmlNodeListGetString(attr->doc, attr->children, 1));
        found.append({xml::FromXml(attr->name), xml::FromXml(value.get())});
    }
    return found;
}

} // namespace kc
