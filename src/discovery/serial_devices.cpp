// SPDX-License-Identifier: Apache-2.0
#include "discovery/serial_devices.h"

#include <QSerialPortInfo>

namespace kc {

int CountSerialDevices() {
    return int(QSerialPortInfo::availablePorts().size());
}

} // namespace kc
