// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "discovery/serial_line.h"

#include <QSet>
#include <QString>

namespace kc::cli {

class Console;

// What the system says about a serial device the program could not open.
struct DeviceAccess {
    bool exists = false;
    int accessError = 0;      // errno of a read-write access check, 0 when allowed
    QString group;            // the group that owns the device
    bool groupMayUse = false; // whether its members may read and write it
    QString owner;
};

DeviceAccess CheckDeviceAccess(const QString& path);

// The note for a serial port that did not open: why, and what helps. Empty
// for a port number that is no serial port.
QString SerialOpenReason(uint16_t pn, const QString& path, const DeviceAccess& access, int serialError);

// A serial line that tells the person, once per device, why a port did not
// open; the status page keeps its own short text.
class ExplainingSerialLine : public SerialLine {
  public:
    ExplainingSerialLine(SerialLine& inner, Console& console) : inner_(inner), console_(console) {}

    bool open(uint16_t pn) override;
    bool isOpen() const override { return inner_.isOpen(); }
    void close() override { inner_.close(); }
    bool setSettings(const QString& settings) override { return inner_.setSettings(settings); }
    bool setDtr(bool raised) override { return inner_.setDtr(raised); }
    bool setRts(bool raised) override { return inner_.setRts(raised); }
    bool dsr(bool& raised) override { return inner_.dsr(raised); }
    bool send(const QByteArray& bytes) override { return inner_.send(bytes); }
    int receivedCount() override { return inner_.receivedCount(); }
    QByteArray receive(int length) override { return inner_.receive(length); }
    bool clearReceiveBuffer() override { return inner_.clearReceiveBuffer(); }
    bool clearSendBuffer() override { return inner_.clearSendBuffer(); }
    int errorNumber() const override { return inner_.errorNumber(); }

  private:
    SerialLine& inner_;
    Console& console_;
    QSet<QString> explained_;
};

} // namespace kc::cli
