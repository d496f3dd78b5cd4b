// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/apdu.h"
#include "ctapi/bytes.h"

namespace kc::pcsc {

using ctapi::Apdu;
using ctapi::Bytes;
using ctapi::Reply;
using ctapi::StatusOnly;

} // namespace kc::pcsc
