// SPDX-License-Identifier: Apache-2.0
#include "base/slot_tables.h"

namespace kc {

MobileVsdRecord PresetMobileVsdRecord() {
    MobileVsdRecord record;
    record[StatusTag] = QStringLiteral("A0");
    record[StatusLength] = QStringLiteral("19");
    record[ReadDateTag] = QStringLiteral("91");
    record[ReadDateLength] = QStringLiteral("08");
    record[ApprovalTag] = QStringLiteral("92");
    record[ApprovalLength] = QStringLiteral("1B");
    record[ChecksumTag] = QStringLiteral("93");
    record[ChecksumLength] = QStringLiteral("01");
    return record;
}

} // namespace kc
