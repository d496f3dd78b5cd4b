// SPDX-License-Identifier: Apache-2.0
#include "egk/vsd_version.h"

#include "egk/tree_walk.h"

#include <functional>

namespace kc {
namespace {

using LeafExamination = std::function<QString(const XmlNode&)>;

// After a match the search enters no further container: it finishes the
// current run of siblings, where a later match replaces the earlier one.
class VersionSearch : public TreeVisitor {
  public:
    explicit VersionSearch(LeafExamination examine) : examine_(std::move(examine)) {}

    bool enterContainer(const XmlNode&) override { return result_.isEmpty(); }
    bool finishList() override { return result_.isEmpty(); }
    void visitLeaf(const XmlNode& leaf) override {
        if (leaf.localName().toUpper() != QLatin1String("ATTRIBUTE"))
            return;
        const QString found = examine_(leaf);
        if (!found.isEmpty())
            result_ = found;
    }

    const QString& result() const { return result_; }

  private:
    LeafExamination examine_;
    QString result_;
};

int16_t Search(const XmlNode& node, LeafExamination examine, QString& version) {
    VersionSearch search(std::move(examine));
    const WalkEnd end = WalkTree(node, search);
    version = end == WalkEnd::TooDeep ? QString() : search.result();
    return version.isEmpty() ? -1 : 0;
}

QString Joined(const QString& name, const QString& value) {
    return name.isEmpty() || value.isEmpty() ? QString() : name + QLatin1Char(' ') + value;
}

QString SchemaDeclarationVersion(const XmlNode& declaration) {
    QString nameA; // a CDM_VERSION declaration
    QString nameB; // a VERSION declaration
    QString fixed;
    for (const XmlAttribute& attr : declaration.attributes()) {
        const QString upperValue = attr.value.toUpper();
        if (upperValue == QLatin1String("CDM_VERSION"))
            nameA = attr.value;
        if (upperValue == QLatin1String("VERSION"))
            nameB = attr.value;
        if (attr.localName.toUpper() == QLatin1String("FIXED"))
            fixed = attr.value;
    }
    const QString byA = Joined(nameA, fixed);
    return byA.isEmpty() ? Joined(nameB, fixed) : byA;
}

// Name and value of the node's own version attribute; a later one replaces an earlier one.
QString OwnVersion(const XmlNode& node, bool acceptVersion) {
    QString name;
    QString value;
    for (const XmlAttribute& attr : node.attributes()) {
        const QString upperName = attr.localName.toUpper();
        if (upperName == QLatin1String("CDM_VERSION") ||
            (acceptVersion && upperName == QLatin1String("VERSION"))) {
            name = attr.localName;
            value = attr.value;
        }
    }
    return Joined(name, value);
}

} // namespace

int16_t FindSchemaVersion(const XmlNode& node, QString& version) {
    return Search(node, SchemaDeclarationVersion, version);
}

int16_t FindDocumentVersion(const XmlNode& node, QString& version) {
    version = OwnVersion(node, true);
    if (!version.isEmpty())
        return 0;
    return Search(
        node, [](const XmlNode& leaf) { return OwnVersion(leaf, false); }, version);
}

} // namespace kc
