// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "data_rows.h"

namespace kc::test {

// The cases of a file in tests/cards/cases, one a line, fields split at '|'.
inline std::vector<QStringList> CaseRows(const char* name) {
    return DataRows(QStringLiteral(KC_CARD_CASES_DIR "/") + QLatin1String(name), QLatin1Char('|'));
}

} // namespace kc::test
