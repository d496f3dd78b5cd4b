#pragma once

#include "discovery/serial_line.h"

#include <QSerialPort>

namespace kc {

// DTR, RTS and DSR of a line. A pseudo-terminal carries no modem lines, so a
// test may put its own in place of the port's.
class ModemLines {
public:
    virtual ~ModemLines() = default;
    virtual bool setDtr(bool raised) = 0;
    virtual bool setRts(bool raised) = 0;
    virtual bool dsr(bool& raised) = 0;
};

// The serial line on Qt SerialPort. Port n is the device SerialDevicePath(n).
class QtSerialLine : public SerialLine {
public:
    explicit QtSerialLine(ModemLines* modemLines = nullptr) : modemLines_(modemLines) {}
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
    ModemLines* modemLines_;
    int error_ = kSerialNoError;
};

} // namespace kc
