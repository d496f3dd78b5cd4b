// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "data_cases.h"
#include "discovery/serial_line.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>

namespace kc::test {

// What sits behind one serial port number in a test.
struct SerialDevice {
    int openError = kSerialNoError; // error number of open, e.g. 8005 for a port in use
    bool dsr = false;               // DSR follows DTR when the device raises it
    // The answer to bytes sent at the current settings; empty for none.
    std::function<QByteArray(const QString& settings, const QByteArray& sent)> answer;
    // Plug-and-play text, delivered in these chunks when RTS rises with DTR
    // high, from the given power-up on (1 = the first rise of RTS).
    QList<QByteArray> pnpChunks;
    int pnpFromRtsRise = 1;
    // Operation ("settings", "dtr", "rts", "dsr", "send", "clear") that fails, with its error.
    QString failingOperation;
    int failingError = kSerialIoError;
    int failingFrom = 0; // from this entry of the log on (1-based) every operation fails: unplugged
};

// The device a case of tests/data/discovery (serial_probes.txt, port_test.txt)
// describes; the head of serial_probes.txt says how it is written.
SerialDevice DeviceOf(const DataCase& c);

// A serial line that plays devices from a table and logs every operation:
// "open 3", "settings 9600,E,8,1", "dtr 1", "rts 0", "dsr", "send 12C000D2",
// "clear in", "clear out", "close". A port number not in the table gives 8002.
class ScriptedSerialLine : public SerialLine {
  public:
    std::map<uint16_t, SerialDevice> devices;
    QStringList log;

    bool open(uint16_t pn) override;
    bool isOpen() const override { return open_; }
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

  private:
    // Logs the entry; false with the error number set when the line is closed or the operation fails.
    bool logged(const QString& entry, const QString& operation);
    SerialDevice* device();

    bool open_ = false;
    uint16_t pn_ = 0;
    QString settings_;
    bool dtr_ = false;
    bool rts_ = false;
    int rtsRises_ = 0;
    QByteArray input_;
    std::deque<QByteArray> pending_;
    int error_ = kSerialNoError;
};

} // namespace kc::test
