// SPDX-License-Identifier: Apache-2.0
#include "terminal/command_table.h"

namespace kc {

const CommandTable& Commands() {
    static const CommandTable table;
    return table;
}

} // namespace kc
