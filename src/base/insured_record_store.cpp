// SPDX-License-Identifier: Apache-2.0
#include "base/insured_record_store.h"

namespace kc {

void StoreInsuredRecord(const EgkFieldBuffer& fields, SlotTables& tables, int slot) {
    const int last = tables.terminal[slot].IsMobile ? Pruefsummezusatz : Pruefsumme;
    InsuredRecord& record = tables.insured[slot];
    for (int field = 0; field <= last; ++field)
        record[std::size_t(field)] = fields[std::size_t(field)];
}

} // namespace kc
