// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace kc {

// The small codes a port test leaves in PortStatus::PortResult. Any other
// value is the CT-API code of opening the terminal on that port.
enum PortResultCode : int16_t {
    kPortResultOpened = 0,
    kPortResultMissing = 1,
    kPortResultBusy = 2, // also when the library reports the port taken by the host
    kPortResultOpenError = 3,
    kPortResultIdentified = 4, // a terminal found and identified on COM 1 to 4
    kPortResultLibraryFailed = 5,
};

} // namespace kc
