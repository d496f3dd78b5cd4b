// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "discovery/serial_line.h"

#include <QSerialPort>

namespace kc {

// The modem lines and the character framing (parity, data bits) of a line. A
// pseudo-terminal carries neither, so a test that plays the far end on one
// puts its own in place.
class LineSignals {
  public:
    virtual ~LineSignals() = default;
    virtual bool setDtr(bool raised) = 0;
    virtual bool setRts(bool raised) = 0;
    virtual bool dsr(bool& raised) = 0;
    virtual bool setFraming(QChar parity, int dataBits) = 0;
};

// The serial line on Qt SerialPort. Port n is the device SerialDevicePath(n).
class QtSerialLine : public SerialLine {
  public:
    explicit QtSerialLine(LineSignals* lineSignals = nullptr) : signals_(lineSignals) {}
    ~QtSerialLine() override { close(); }

    bool open(uint16_t pn) override;
    bool isOpen() const override { return port_.isOpen(); }
    void close() override;
    bool setSettings(const QString& settings) override;
    bool setDtr(bool raised) override;
    bool setRts(bool raised) override;
    bool dsr(bool& raised) override;
    bool send(const QByteArray& bytes) override;
    int receivedCount() override;
    QByteArray receive(int length) override;
    bool clearReceiveBuffer() override;
    bool clearSendBuffer() override;
    int errorNumber() const override { return error_; }

    // Blocks at most msecs until input arrives; for callers that play the far end.
    bool waitForReceived(int msecs);

  private:
    bool fail(int error);
    bool requireOpen();
    // Takes what the device has delivered into the port's buffer without blocking.
    void pullInput();

    QSerialPort port_;
    LineSignals* signals_;
    // A pseudo-terminal may have no modem lines: then DSR reads as low and
    // DTR and RTS are no-ops instead of errors.
    bool modemLines_ = true;
    int error_ = kSerialNoError;
};

} // namespace kc
