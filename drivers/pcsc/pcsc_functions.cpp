// SPDX-License-Identifier: Apache-2.0
#include "pcsc_functions.h"

namespace kc::pcsc {

PcscFunctions& Pcsc() {
    static PcscFunctions functions;
    return functions;
}

} // namespace kc::pcsc
