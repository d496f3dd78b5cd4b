// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/bytes.h"

namespace kc::sim {

using ctapi::Bytes;
using ctapi::FromHex;
using ctapi::ToHex;

} // namespace kc::sim
