// SPDX-License-Identifier: Apache-2.0
// The library's C interface: the standard CT-API names, the maker's names
// for the same three functions, and the baud-rate extension.
#include "process_simulator.h"

#pragma GCC visibility push(default)
#include <ctapi.h>

extern "C" {
int8_t CTDEZAVT1_init(uint16_t ctn, uint16_t pn);
int8_t CTDEZAVT1_data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command,
                      uint16_t* lenr, uint8_t* response);
int8_t CTDEZAVT1_close(uint16_t ctn);
int32_t CT_get_baudrate(uint16_t ctn, int32_t* baud);
}
#pragma GCC visibility pop

namespace process = kc::sim::process;

int8_t CT_init(uint16_t ctn, uint16_t pn) {
    return process::Init(ctn, pn);
}

int8_t CT_data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
               uint8_t* response) {
    return process::Data(ctn, dad, sad, lenc, command, lenr, response);
}

int8_t CT_close(uint16_t ctn) {
    return process::Close(ctn);
}

int8_t CTDEZAVT1_init(uint16_t ctn, uint16_t pn) {
    return process::Init(ctn, pn);
}

int8_t CTDEZAVT1_data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command,
                      uint16_t* lenr, uint8_t* response) {
    return process::Data(ctn, dad, sad, lenc, command, lenr, response);
}

int8_t CTDEZAVT1_close(uint16_t ctn) {
    return process::Close(ctn);
}

int32_t CT_get_baudrate(uint16_t ctn, int32_t* baud) {
    return process::GetBaudrate(ctn, baud);
}
