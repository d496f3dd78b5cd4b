// SPDX-License-Identifier: Apache-2.0
#include "serial/device_path.h"

#include <cstdlib>

namespace kc::serial {

std::string DevicePath(uint16_t pn) {
    if (pn < 1 || pn > 256)
        return {};
    const std::string variable = "KARTOCHECK_COM" + std::to_string(pn);
    if (const char* named = std::getenv(variable.c_str()); named && *named)
        return named;
    return "/dev/ttyS" + std::to_string(pn - 1);
}

} // namespace kc::serial
