// SPDX-License-Identifier: Apache-2.0
#include "discovery/serial_device_path.h"

#include <QByteArray>

namespace kc {

QString SerialDevicePath(uint16_t pn) {
    if (pn < 1 || pn > 256)
        return {};
    const QByteArray variable = "KARTOCHECK_COM" + QByteArray::number(pn);
    const QString named = qEnvironmentVariable(variable.constData());
    if (!named.isEmpty())
        return named;
    return QStringLiteral("/dev/ttyS%1").arg(pn - 1);
}

} // namespace kc
