// SPDX-License-Identifier: Apache-2.0
#include "cards/kvk_data_objects.h"

#include "base/insured_record_store.h"
#include "base/message_boxes.h"
#include "cards/approval_number.h"
#include "cards/kvk_layout.h"
#include "cards/kvk_text.h"
#include "terminal/hex_codec.h"

namespace kc {
namespace {

constexpr int kMaxObjects = 20;
constexpr int kShortApprovalDigits = 6;

bool IsRawField(int field) {
    return field == Pruefsumme || field == Pruefsummezusatz;
}

} // namespace

void ShowDefectiveKvkRecord(MessageBoxes& boxes) {
    boxes.inform(QStringLiteral("Defekter KVK Datensatz!!!"), MsgIcon::Exclamation,
                 QStringLiteral(" KartoCheck KVK lesen "));
}

KvkObjectsResult ParseKvkDataObjects(const QString& objects, const KvkParseTarget& target, int slot) {
    EgkFieldBuffer fields;
    KvkObjectsResult result = KvkObjectsResult::Complete;
    const int size = int(objects.size());
    int pos = 1;
    for (int count = 0; count < kMaxObjects && pos < size; ++count) {
        const std::optional<int> field = FieldOfKvkTag(HexByteAt(objects, pos));
        if (!field) {
            result = KvkObjectsResult::UnknownTag;
            break;
        }
        const int length = HexByteAt(objects, pos + 2);
        const int digits = 2 * length;
        if (length < 0 || pos + 3 + digits > size) {
            result = KvkObjectsResult::Overrun;
            break;
        }
        const QString value = objects.mid(pos + 3, digits);
        pos += 4 + digits;
        QString& stored = fields[std::size_t(*field)];
        if (IsRawField(*field)) {
            stored = value.isEmpty() ? QStringLiteral("00") : value;
            continue;
        }
        stored = DecodeKvkText(value, digits);
        if (*field == Zulassungsnummer && digits == kShortApprovalDigits)
            ApplyZulassungsnummer(stored, target.tables, target.selectedPort, slot);
    }
    if (result != KvkObjectsResult::Complete)
        ShowDefectiveKvkRecord(target.boxes);
    StoreInsuredRecord(fields, target.tables, slot);
    return result;
}

} // namespace kc
