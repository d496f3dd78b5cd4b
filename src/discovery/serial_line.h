// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace kc {

// Error numbers of the serial-port control, as the port tests tell them apart.
enum SerialError : int {
    kSerialNoError = 0,
    kSerialInvalidPort = 8002, // no such port
    kSerialPortOpen = 8005,    // port in use
    kSerialNotAvailable = 8010,
    kSerialNotOpen = 8012,
    kSerialBadSettings = 8015, // settings text rejected
    kSerialIoError = 8020,
};

// A serial port opened by its CT-API port number. Every operation returns
// false on failure and leaves the control's error number in errorNumber().
class SerialLine {
  public:
    virtual ~SerialLine() = default;

    virtual bool open(uint16_t pn) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;

    // Speed, parity, data bits, stop bits: "9600,E,8,1".
    virtual bool setSettings(const QString& settings) = 0;
    virtual bool setDtr(bool raised) = 0;
    virtual bool setRts(bool raised) = 0;
    virtual bool dsr(bool& raised) = 0;

    virtual bool send(const QByteArray& bytes) = 0;
    // Bytes received and not yet taken.
    virtual int receivedCount() = 0;
    // Binary input: up to length bytes, or everything with length 0.
    virtual QByteArray receive(int length) = 0;
    // Text input: everything received, one character per byte.
    QString receiveText() { return QString::fromLatin1(receive(0)); }
    virtual bool clearReceiveBuffer() = 0;
    virtual bool clearSendBuffer() = 0;

    virtual int errorNumber() const = 0;
};

// Closes the line when a probe leaves, on every path.
class SerialLineCloser {
  public:
    explicit SerialLineCloser(SerialLine& line) : line_(line) {}
    ~SerialLineCloser() {
        if (line_.isOpen())
            line_.close();
    }
    SerialLineCloser(const SerialLineCloser&) = delete;
    SerialLineCloser& operator=(const SerialLineCloser&) = delete;

  private:
    SerialLine& line_;
};

} // namespace kc
