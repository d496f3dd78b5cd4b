// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/return_codes.h"

#include <cstdint>

namespace kc {

// The three CT-API functions plus the baud-rate extension. Implemented by the
// loaded terminal library and, in tests, by the simulator engine in-process.
class CtApi {
  public:
    virtual ~CtApi() = default;
    [[nodiscard]] virtual int8_t init(uint16_t ctn, uint16_t pn) = 0;
    [[nodiscard]] virtual int8_t data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc,
                                      uint8_t* command, uint16_t* lenr, uint8_t* response) = 0;
    [[nodiscard]] virtual int8_t close(uint16_t ctn) = 0;
    // Non-zero when the speed is unknown or the library has no such function.
    virtual int32_t getBaudrate(uint16_t ctn, int32_t* baud) = 0;
};

} // namespace kc
