// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "data_rows.h"

namespace kc::test {

// The cases of a file below tests/data, one a line, fields split at '|'.
inline std::vector<QStringList> CaseRows(const char* path) {
    return DataRows(QLatin1String(path), QLatin1Char('|'));
}

} // namespace kc::test
