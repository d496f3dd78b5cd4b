// SPDX-License-Identifier: Apache-2.0
// The library's C interface, filled with the simulator of the process.
#include "process_simulator.h"

#include "ctapi/exports.h"

KC_CTAPI_EXPORTS(kc::sim::process)
