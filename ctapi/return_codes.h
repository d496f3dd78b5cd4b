// SPDX-License-Identifier: Apache-2.0
#pragma once

// The CT-API return codes under their standard names (OK, ERR_INVALID,
// ERR_CT, ERR_TRANS, ERR_MEMORY, ERR_HOST, ERR_HTSI) and the addresses
// (CT, ICC1, HOST) as the system's CT-API header defines them.
#include <ctapi.h>
