// SPDX-License-Identifier: Apache-2.0
#pragma once

// The C names a terminal library exports, written once. A library fills them
// with its own functions: Impl names a namespace (or class) that has
//   int8_t Init(uint16_t ctn, uint16_t pn);
//   int8_t Data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc,
//               const uint8_t* command, uint16_t* lenr, uint8_t* response);
//   int8_t Close(uint16_t ctn);
//   int32_t GetBaudrate(uint16_t ctn, int32_t* baud);   (full set only)
// and one source file of the library says KC_CTAPI_EXPORTS(Impl).
#include "ctapi/return_codes.h"

#define KC_CTAPI_EXPORT extern "C" __attribute__((visibility("default")))

// The three functions under one prefix of names: CT for the standard ones,
// CTDEZAVT1 for the maker's (which the program looks for first).
#define KC_CTAPI_NAMED_EXPORTS(Prefix, Impl)                                                                 \
    KC_CTAPI_EXPORT int8_t Prefix##_init(uint16_t ctn, uint16_t pn) {                                        \
        return Impl::Init(ctn, pn);                                                                          \
    }                                                                                                        \
    KC_CTAPI_EXPORT int8_t Prefix##_data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc,            \
                                         uint8_t* command, uint16_t* lenr, uint8_t* response) {              \
        return Impl::Data(ctn, dad, sad, lenc, command, lenr, response);                                     \
    }                                                                                                        \
    KC_CTAPI_EXPORT int8_t Prefix##_close(uint16_t ctn) {                                                    \
        return Impl::Close(ctn);                                                                             \
    }

#define KC_CTAPI_STANDARD_EXPORTS(Impl) KC_CTAPI_NAMED_EXPORTS(CT, Impl)

// Both name sets and the baud-rate extension.
#define KC_CTAPI_EXPORTS(Impl)                                                                               \
    KC_CTAPI_NAMED_EXPORTS(CT, Impl)                                                                         \
    KC_CTAPI_NAMED_EXPORTS(CTDEZAVT1, Impl)                                                                  \
    KC_CTAPI_EXPORT int32_t CT_get_baudrate(uint16_t ctn, int32_t* baud) {                                   \
        return Impl::GetBaudrate(ctn, baud);                                                                 \
    }
