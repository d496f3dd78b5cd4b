#include "discovery/serial_devices.h"

#include <QSerialPortInfo>

namespace kc {

int CountSerialDevices() {
    return int(QSerialPortInfo::availablePorts().size());
}

} // namespace kc
