// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <string>

namespace kc::serial {

// The device behind port number pn (1 to 256, COM 1 to COM 256): the path in
// the environment variable KARTOCHECK_COM<pn>, else /dev/ttyS<pn-1> (the rule
// the program uses for its own serial probes). Empty for any other number.
[[nodiscard]] std::string DevicePath(uint16_t pn);

} // namespace kc::serial
