// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "serial/port_line.h"

#include <cstdint>
#include <memory>

// The CT-API of serial terminals behind the exported C names. ctn is a handle
// of the caller's choice; several may be open at once on different ports.
namespace kc::serial {

[[nodiscard]] int8_t Init(uint16_t ctn, uint16_t pn);
// Init on a line of the caller's: the serial device of pn is opened through it.
[[nodiscard]] int8_t Init(uint16_t ctn, uint16_t pn, std::unique_ptr<PortLine> line);
[[nodiscard]] int8_t Data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command,
                          uint16_t* lenr, uint8_t* response);
[[nodiscard]] int8_t Close(uint16_t ctn);
[[nodiscard]] int32_t GetBaudrate(uint16_t ctn, int32_t* baud);

} // namespace kc::serial
