// SPDX-License-Identifier: Apache-2.0
#include "exit_status.h"

#include "egk/egk_info_data.h"

namespace kc::cli {

bool DocumentLoaded(const EgkResults& results, int index) {
    return !TableView(results, index).rows.empty();
}

bool CardDataComplete(const SlotTables& tables, int slot) {
    const TerminalInfo& info = tables.terminal[slot];
    if (!info.HasCardData)
        return false;
    if (!info.IsEgk)
        return true;
    const EgkResults& results = tables.egk[slot];
    for (int index = 0; index < kDocKindCount; ++index)
        if (!DocumentLoaded(results, index) && !(index == DocIndex(DocKind::Gvd) && results.GvdProtected))
            return false;
    return true;
}

int CardDataStatus(const SlotTables& tables, const std::vector<int>& slotsToCheck) {
    int status = kStatusNoCardData;
    for (int slot : slotsToCheck) {
        if (!tables.terminal[slot].HasCardData)
            continue;
        if (!CardDataComplete(tables, slot))
            return kStatusIncomplete;
        status = kStatusComplete;
    }
    return status;
}

int TerminalStatus(const SlotTables& tables, int slot) {
    return tables.terminal[slot].Responding ? kStatusComplete : kStatusNoCardData;
}

int StatusAfterRun(int status, RunEnd end) {
    return end == RunEnd::None ? status : kStatusEnded;
}

} // namespace kc::cli
