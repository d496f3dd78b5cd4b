// SPDX-License-Identifier: Apache-2.0
// A broken library: of the maker's names it offers only the data function,
// besides the baud rate, and built with MKTSIM_MAKER_INIT also the init, but
// never the close. It also offers the standard names, which must not stand in
// for the maker's: the program's loader reports the missing entry point.
#include "process_simulator.h"

#include "ctapi/exports.h"

#if defined(MKTSIM_MAKER_INIT)
KC_CTAPI_EXPORT int8_t CTDEZAVT1_init(uint16_t ctn, uint16_t pn) {
    return kc::sim::process::Init(ctn, pn);
}
#endif

KC_CTAPI_EXPORT int8_t CTDEZAVT1_data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc,
                                      uint8_t* command, uint16_t* lenr, uint8_t* response) {
    return kc::sim::process::Data(ctn, dad, sad, lenc, command, lenr, response);
}

KC_CTAPI_EXPORT int32_t CT_get_baudrate(uint16_t ctn, int32_t* baud) {
    return kc::sim::process::GetBaudrate(ctn, baud);
}

KC_CTAPI_STANDARD_EXPORTS(kc::sim::process)
