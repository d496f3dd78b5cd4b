// SPDX-License-Identifier: Apache-2.0
// A broken library: it offers the maker's init function but neither data
// nor close, so the program's loader must report a missing entry point.
#include "process_simulator.h"

extern "C" __attribute__((visibility("default"))) int8_t CTDEZAVT1_init(uint16_t ctn, uint16_t pn) {
    return kc::sim::process::Init(ctn, pn);
}
