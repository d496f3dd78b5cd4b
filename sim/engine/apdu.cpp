// SPDX-License-Identifier: Apache-2.0
#include "apdu.h"

namespace kc::sim {

Bytes Response::bytes() const {
    Bytes all = data;
    all.push_back(static_cast<uint8_t>(sw >> 8));
    all.push_back(static_cast<uint8_t>(sw & 0xFF));
    return all;
}

} // namespace kc::sim
