// SPDX-License-Identifier: Apache-2.0
#include "cards/kvk_fixed_record.h"

#include "base/insured_record_store.h"
#include "cards/approval_number.h"
#include "cards/kvk_layout.h"
#include "cards/kvk_text.h"

namespace kc {
namespace {

const QString kBlank = QStringLiteral("20");

// Blanks are whole byte pairs; a digit-wise trim would eat the "2" of "32 20".
QString TrimLeadingBlanks(QString digits) {
    while (digits.startsWith(kBlank))
        digits.remove(0, 2);
    return digits;
}

QString TrimTrailingBlanks(QString digits) {
    while (digits.endsWith(kBlank))
        digits.chop(2);
    return digits;
}

QString DecodeFixedField(const QString& digits, FixedKind kind) {
    switch (kind) {
    case FixedKind::Raw:
        return digits;
    case FixedKind::Number: {
        const QString rest = TrimLeadingBlanks(digits);
        return DecodeKvkText(rest, int(rest.size()));
    }
    case FixedKind::Text: {
        const QString rest = TrimTrailingBlanks(digits);
        return DecodeKvkText(rest, int(rest.size()));
    }
    }
    return {};
}

} // namespace

void ParseKvkFixedRecord(const QString& record, const KvkParseTarget& target, int slot) {
    const int size = int(record.size());
    if (size != 438 && size != 462 && size != 510)
        return;
    const bool mobile = target.tables.terminal[slot].IsMobile;
    const int fieldCount = mobile ? kInsuredFieldCount : Pruefsumme + 1;
    EgkFieldBuffer fields;
    int offset = 0;
    for (int field = 0; field < fieldCount; ++field) {
        const KvkFieldLayout& layout = KvkLayout()[std::size_t(field)];
        const int width = (field == Zulassungsnummer && size == 510) ? kLongApprovalWidth : layout.fixedWidth;
        // A 438-digit record on a handheld has no room for the additions: they stay empty.
        fields[std::size_t(field)] = DecodeFixedField(record.mid(offset, 2 * width), layout.kind);
        offset += 2 * width;
    }
    if (mobile && size == 462)
        ApplyZulassungsnummer(fields[Zulassungsnummer], target.tables, target.selectedPort, slot);
    StoreInsuredRecord(fields, target.tables, slot);
}

} // namespace kc
