// SPDX-License-Identifier: Apache-2.0
// A variant that offers only the standard CT-API names, for testing how the
// program's library loader copes with a library lacking the maker's names.
#include "process_simulator.h"

#include "ctapi/exports.h"

KC_CTAPI_STANDARD_EXPORTS(kc::sim::process)
