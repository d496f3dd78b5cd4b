// SPDX-License-Identifier: Apache-2.0
// The library's C interface, filled with the process's PC/SC sessions.
#include "session_table.h"

#include "ctapi/exports.h"

namespace kc::pcsc::exported {

int8_t Init(uint16_t ctn, uint16_t pn) {
    return SessionTable::Process().Open(ctn, pn);
}

int8_t Data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
            uint8_t* response) {
    return SessionTable::Process().Data(ctn, dad, sad, lenc, command, lenr, response);
}

int8_t Close(uint16_t ctn) {
    return SessionTable::Process().Close(ctn);
}

// A PC/SC reader has no line speed of its own to report.
int32_t GetBaudrate(uint16_t, int32_t*) {
    return ERR_INVALID;
}

} // namespace kc::pcsc::exported

KC_CTAPI_EXPORTS(kc::pcsc::exported)
