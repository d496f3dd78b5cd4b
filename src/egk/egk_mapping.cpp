// SPDX-License-Identifier: Apache-2.0
#include "egk/egk_mapping.h"

#include "egk/tree_walk.h"
#include "egk/xml_date.h"

#include <span>

namespace kc {
namespace {

// When a row of an element table applies. The counter is the document's one
// counter of counted containers (institutions in VD, addresses in PD).
enum class Condition { Always, CounterIsZero, CounterIsOne, DateTest };
enum class Target { Field, Street, HouseNumber, Supplement };

struct ElementRule {
    const char* name; // upper-cased local name
    Condition condition;
    Target target;
    int field = -1;
};

struct DocumentMapping {
    std::span<const ElementRule> rules;
    std::span<const char* const> countedContainers; // upper-cased names
    bool composeStreet;
    std::span<ElementEntry> (*list)(EgkResults&);
};

constexpr ElementRule kVdRules[] = {
    {"NAME", Condition::CounterIsZero, Target::Field, Krankenkassenname},
    {"KOSTENTRAEGERKENNUNG", Condition::CounterIsZero, Target::Field, Krankenkassennummer},
    {"WOP", Condition::Always, Target::Field, VKNR},
    {"VERSICHERTENSTATUS_RSA", Condition::Always, Target::Field, Versichertenstatus},
    {"RECHTSKREIS", Condition::Always, Target::Field, Statusergaenzung},
    {"WOHNSITZLAENDERCODE", Condition::Always, Target::Field, Wohnsitzlaendercode},
    {"ENDE", Condition::DateTest, Target::Field, Gueltigkeitsdatum},
};
// The billing insurer's container: the documents of today's cards spell it
// AbrechnenderKostentraeger. Counting it keeps the insurer shown the first
// one of the document instead of letting the billing insurer overwrite it.
constexpr const char* kVdCounted[] = {"ABRECHNENDER_KOSTENTRAEGER_INSTITUTION", "ABRECHNENDERKOSTENTRAEGER"};

constexpr ElementRule kPdRules[] = {
    {"VERSICHERTEN_ID", Condition::Always, Target::Field, Versichertennummer},
    {"GEBURTSDATUM", Condition::DateTest, Target::Field, Geburtsdatum},
    {"NACHNAME", Condition::Always, Target::Field, Familienname},
    {"VORNAME", Condition::Always, Target::Field, Vorname},
    {"NAMENSZUSATZ", Condition::Always, Target::Field, Namenszusatz},
    {"TITEL", Condition::Always, Target::Field, Titel},
    {"POSTLEITZAHL", Condition::CounterIsOne, Target::Field, Postleitzahl},
    {"ORT", Condition::Always, Target::Field, Ortsname},
    {"WOHNSITZLAENDERCODE", Condition::Always, Target::Field, Wohnsitzlaendercode},
    {"STRASSE", Condition::CounterIsOne, Target::Street},
    {"HAUSNUMMER", Condition::CounterIsOne, Target::HouseNumber},
    {"ANSCHRIFTENZUSATZ", Condition::CounterIsOne, Target::Supplement},
};
constexpr const char* kPdCounted[] = {"ANSCHRIFT", "STRASSENADRESSE"};

const DocumentMapping kVdMapping{kVdRules, kVdCounted, false,
                                 [](EgkResults& r) { return std::span<ElementEntry>(r.VdElementList); }};
const DocumentMapping kPdMapping{kPdRules, kPdCounted, true,
                                 [](EgkResults& r) { return std::span<ElementEntry>(r.PdElementList); }};
const DocumentMapping kGvdMapping{
    {}, {}, false, [](EgkResults& r) { return std::span<ElementEntry>(r.GvdElementList); }};

class MappingWalk : public TreeVisitor {
  public:
    MappingWalk(const DocumentMapping& mapping, EgkFieldBuffer& fields, EgkResults& results)
        : mapping_(mapping), fields_(fields), results_(results), list_(mapping.list(results)) {}

    bool enterContainer(const XmlNode& container) override {
        const QByteArray name = container.localName().toUpper().toUtf8();
        for (const char* counted : mapping_.countedContainers) {
            if (name == counted)
                ++counter_;
        }
        return true;
    }

    void visitLeaf(const XmlNode& leaf) override {
        const QString name = leaf.localName();
        const QString text = leaf.text();
        if (written_ < list_.size())
            list_[written_++] = ElementEntry{name, text};
        const QByteArray key = name.toUpper().toUtf8();
        for (const ElementRule& rule : mapping_.rules) {
            if (key == rule.name) {
                apply(rule, text);
                return;
            }
        }
    }

  private:
    void apply(const ElementRule& rule, const QString& text) {
        QString value = text;
        switch (rule.condition) {
        case Condition::Always:
            break;
        case Condition::CounterIsZero:
            if (counter_ != 0)
                return;
            break;
        case Condition::CounterIsOne:
            if (counter_ != 1)
                return;
            break;
        case Condition::DateTest: {
            std::optional<QString> date = NormalizeXmlDate(text);
            if (!date)
                return;
            value = *date;
            break;
        }
        }
        switch (rule.target) {
        case Target::Field:
            fields_[std::size_t(rule.field)] = value;
            break;
        case Target::Street:
            results_.FirstAddress.street = value;
            break;
        case Target::HouseNumber:
            results_.FirstAddress.houseNumber = value;
            break;
        case Target::Supplement:
            results_.FirstAddress.supplement = value;
            break;
        }
    }

    const DocumentMapping& mapping_;
    EgkFieldBuffer& fields_;
    EgkResults& results_;
    std::span<ElementEntry> list_;
    std::size_t written_ = 0;
    int counter_ = 0;
};

bool MapDocument(const DocumentMapping& mapping, const XmlNode& root, EgkFieldBuffer& fields,
                 EgkResults& results) {
    if (root.firstChild().isNull())
        return true;
    MappingWalk walk(mapping, fields, results);
    if (WalkTree(root, walk) != WalkEnd::Complete)
        return true;
    if (mapping.composeStreet) {
        const FirstAddressParts& address = results.FirstAddress;
        const QChar blank = QLatin1Char(' ');
        fields[Strasse] = address.street + blank + address.houseNumber + blank + address.supplement;
    }
    return false;
}

} // namespace

bool MapVdDocument(const XmlNode& root, EgkFieldBuffer& fields, EgkResults& results) {
    return MapDocument(kVdMapping, root, fields, results);
}

bool MapPdDocument(const XmlNode& root, EgkFieldBuffer& fields, EgkResults& results) {
    return MapDocument(kPdMapping, root, fields, results);
}

bool MapGvdDocument(const XmlNode& root, EgkFieldBuffer& fields, EgkResults& results) {
    return MapDocument(kGvdMapping, root, fields, results);
}

} // namespace kc
