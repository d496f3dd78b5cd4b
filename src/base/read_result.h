// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace kc {

// How a read of a card or of a handheld's stored record ended. The values are
// the ones the readers have always returned.
enum class ReadResult : int16_t {
    Done = 0,     // read and stored for the slot
    TryAgain = 1, // the person asked to read again
    Failed = -1,  // failed, or declined by the person
    Refused = -2, // decompression failed, or the card refused for security reasons
};

} // namespace kc
