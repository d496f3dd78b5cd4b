// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/apdu.h"
#include "sim/bytes.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kc::sim {

using ctapi::Apdu;

// A response: data followed by the status word.
struct Response {
    Bytes data;
    uint16_t sw = 0x9000;

    [[nodiscard]] Bytes bytes() const;
    static Response status(uint16_t sw) { return Response{{}, sw}; }
};

} // namespace kc::sim
