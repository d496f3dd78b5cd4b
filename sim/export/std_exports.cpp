// SPDX-License-Identifier: Apache-2.0
// A variant that offers only the standard CT-API names, for testing how the
// program's library loader copes with a library lacking the maker's names.
#include "process_simulator.h"

#pragma GCC visibility push(default)
#include <ctapi.h>
#pragma GCC visibility pop

int8_t CT_init(uint16_t ctn, uint16_t pn) {
    return kc::sim::process::Init(ctn, pn);
}

int8_t CT_data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
               uint8_t* response) {
    return kc::sim::process::Data(ctn, dad, sad, lenc, command, lenr, response);
}

int8_t CT_close(uint16_t ctn) {
    return kc::sim::process::Close(ctn);
}
