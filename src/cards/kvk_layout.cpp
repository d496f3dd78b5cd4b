// SPDX-License-Identifier: Apache-2.0
#include "cards/kvk_layout.h"

namespace kc {

const std::array<KvkFieldLayout, 20>& KvkLayout() {
    static const std::array<KvkFieldLayout, 20> kLayout = {{
        {0x80, 28, FixedKind::Text},   // Krankenkassenname
        {0x81, 7, FixedKind::Number},  // Krankenkassennummer
        {0x82, 12, FixedKind::Number}, // Versichertennummer
        {0x8F, 5, FixedKind::Number},  // VKNR
        {0x83, 4, FixedKind::Number},  // Versichertenstatus
        {0x90, 3, FixedKind::Text},    // Statusergaenzung
        {0x84, 15, FixedKind::Text},   // Titel
        {0x85, 28, FixedKind::Text},   // Vorname
        {0x86, 15, FixedKind::Text},   // Namenszusatz
        {0x87, 28, FixedKind::Text},   // Familienname
        {0x88, 8, FixedKind::Number},  // Geburtsdatum
        {0x89, 28, FixedKind::Text},   // Strasse
        {0x8A, 3, FixedKind::Text},    // Wohnsitzlaendercode
        {0x8B, 7, FixedKind::Text},    // Postleitzahl
        {0x8C, 23, FixedKind::Text},   // Ortsname
        {0x8D, 4, FixedKind::Number},  // Gueltigkeitsdatum
        {0x8E, 1, FixedKind::Raw},     // Pruefsumme
        {0x91, 8, FixedKind::Number},  // Einlesedatum
        {0x92, 3, FixedKind::Number},  // Zulassungsnummer
        {0x93, 1, FixedKind::Raw},     // Pruefsummezusatz
    }};
    return kLayout;
}

std::optional<int> FieldOfKvkTag(int tag) {
    const auto& layout = KvkLayout();
    for (std::size_t field = 0; field < layout.size(); ++field) {
        if (layout[field].tag == tag)
            return int(field);
    }
    return std::nullopt;
}

} // namespace kc
