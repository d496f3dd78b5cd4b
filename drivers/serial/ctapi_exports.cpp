// SPDX-License-Identifier: Apache-2.0
// The library's C interface: the standard CT-API names, the names the program
// looks for first, and the baud-rate extension.
#include "serial/ctapi_functions.h"

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

namespace serial = kc::serial;

int8_t CT_init(uint16_t ctn, uint16_t pn) {
    return serial::Init(ctn, pn);
}

int8_t CT_data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
               uint8_t* response) {
    return serial::Data(ctn, dad, sad, lenc, command, lenr, response);
}

int8_t CT_close(uint16_t ctn) {
    return serial::Close(ctn);
}

int8_t CTDEZAVT1_init(uint16_t ctn, uint16_t pn) {
    return serial::Init(ctn, pn);
}

int8_t CTDEZAVT1_data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command,
                      uint16_t* lenr, uint8_t* response) {
    return serial::Data(ctn, dad, sad, lenc, command, lenr, response);
}

int8_t CTDEZAVT1_close(uint16_t ctn) {
    return serial::Close(ctn);
}

int32_t CT_get_baudrate(uint16_t ctn, int32_t* baud) {
    return serial::GetBaudrate(ctn, baud);
}
