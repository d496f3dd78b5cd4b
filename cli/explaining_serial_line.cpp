// SPDX-License-Identifier: Apache-2.0
#include "explaining_serial_line.h"

#include "console_io.h"
#include "discovery/serial_device_path.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kc::cli {

DeviceAccess CheckDeviceAccess(const QString& path) {
    DeviceAccess access;
    const QFileInfo info(path);
    access.exists = info.exists();
    access.group = info.group();
    access.groupMayUse = info.permissions().testFlags(QFile::ReadGroup | QFile::WriteGroup);
    access.owner = info.owner();
    if (access.exists && ::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0)
        access.accessError = errno;
    return access;
}

QString SerialOpenReason(uint16_t pn, const QString& path, const DeviceAccess& access, int serialError) {
    if (path.isEmpty())
        return {};
    const QString port = QStringLiteral("COM %1: ").arg(pn);
    if (!access.exists)
        return port + QStringLiteral("Das Gerät %1 gibt es nicht (KARTOCHECK_COM%2 kann ein anderes nennen).")
                          .arg(path)
                          .arg(pn);
    if (access.accessError == EACCES || access.accessError == EPERM) {
        if (access.groupMayUse)
            return port + QStringLiteral("Keine Berechtigung für %1 (Gruppe %2?)").arg(path, access.group);
        return port +
               QStringLiteral("Keine Berechtigung für %1 (nur %2 darf es öffnen)").arg(path, access.owner);
    }
    if (access.accessError != 0)
        return port + path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(access.accessError));
    if (serialError == kSerialPortOpen)
        return port + path + QStringLiteral(" wird von einem anderen Programm benutzt oder ist gesperrt.");
    return port + path + QStringLiteral(" lässt sich nicht öffnen.");
}

bool ExplainingSerialLine::open(uint16_t pn) {
    if (inner_.open(pn))
        return true;
    const QString path = SerialDevicePath(pn);
    if (!explained_.contains(path)) {
        explained_.insert(path);
        const QString reason = SerialOpenReason(pn, path, CheckDeviceAccess(path), inner_.errorNumber());
        if (!reason.isEmpty())
            console_.messages.writeLine(QStringLiteral("Hinweis: ") + reason);
    }
    return false;
}

} // namespace kc::cli
