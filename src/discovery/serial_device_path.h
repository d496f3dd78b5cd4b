// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <cstdint>

namespace kc {

// The device behind serial port number pn (1 to 256): the path named by the
// environment variable KARTOCHECK_COM<pn>, else /dev/ttyS<pn-1>. Empty for a
// number that is no serial port.
QString SerialDevicePath(uint16_t pn);

} // namespace kc
