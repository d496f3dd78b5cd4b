// SPDX-License-Identifier: Apache-2.0
// The library's C interface, filled with the serial terminals' functions.
#include "serial/ctapi_functions.h"

#include "ctapi/exports.h"

KC_CTAPI_EXPORTS(kc::serial)
