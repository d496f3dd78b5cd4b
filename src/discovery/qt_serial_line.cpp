// SPDX-License-Identifier: Apache-2.0
#include "discovery/qt_serial_line.h"

#include "discovery/serial_device_path.h"
#include "discovery/serial_settings.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace kc {
namespace {

int OpenErrorNumber(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return kSerialInvalidPort;
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        return kSerialPortOpen;
    default:
        return kSerialNotAvailable;
    }
}

QSerialPort::Parity ParityOf(QChar letter) {
    switch (letter.toLatin1()) {
    case 'E':
        return QSerialPort::EvenParity;
    case 'O':
        return QSerialPort::OddParity;
    case 'M':
        return QSerialPort::MarkParity;
    case 'S':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits StopBitsOf(const QString& text) {
    if (text == QLatin1String("2"))
        return QSerialPort::TwoStop;
    if (text == QLatin1String("1.5"))
        return QSerialPort::OneAndHalfStop;
    return QSerialPort::OneStop;
}

// Unix98 pseudo-terminal slaves have the majors 136 to 143.
bool IsPseudoTerminal(int descriptor) {
    struct stat info {};
    return descriptor >= 0 && ::fstat(descriptor, &info) == 0 && S_ISCHR(info.st_mode) &&
           major(info.st_rdev) >= 136 && major(info.st_rdev) <= 143;
}

} // namespace

bool QtSerialLine::fail(int error) {
    error_ = error;
    return false;
}

bool QtSerialLine::requireOpen() {
    return port_.isOpen() || fail(kSerialNotOpen);
}

bool QtSerialLine::open(uint16_t pn) {
    error_ = kSerialNoError;
    if (port_.isOpen())
        return fail(kSerialPortOpen);
    const QString path = SerialDevicePath(pn);
    if (path.isEmpty())
        return fail(kSerialInvalidPort);
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite))
        return fail(OpenErrorNumber(port_.error()));
    modemLines_ = !IsPseudoTerminal(int(port_.handle()));
    return true;
}

void QtSerialLine::close() {
    if (port_.isOpen())
        port_.close();
}

bool QtSerialLine::setSettings(const QString& text) {
    if (!requireOpen())
        return false;
    const auto settings = ParseSerialSettings(text);
    if (!settings)
        return fail(kSerialBadSettings);
    const bool framing = signals_ ? signals_->setFraming(settings->parity, settings->dataBits)
                                  : port_.setParity(ParityOf(settings->parity)) &&
                                        port_.setDataBits(QSerialPort::DataBits(settings->dataBits));
    const bool ok =
        framing && port_.setBaudRate(settings->baud) && port_.setStopBits(StopBitsOf(settings->stopBits));
    return ok || fail(kSerialBadSettings);
}

bool QtSerialLine::setDtr(bool raised) {
    if (!requireOpen())
        return false;
    const bool ok = signals_ ? signals_->setDtr(raised) : port_.setDataTerminalReady(raised) || !modemLines_;
    return ok || fail(kSerialIoError);
}

bool QtSerialLine::setRts(bool raised) {
    if (!requireOpen())
        return false;
    const bool ok = signals_ ? signals_->setRts(raised) : port_.setRequestToSend(raised) || !modemLines_;
    return ok || fail(kSerialIoError);
}

bool QtSerialLine::dsr(bool& raised) {
    raised = false;
    if (!requireOpen())
        return false;
    if (signals_)
        return signals_->dsr(raised) || fail(kSerialIoError);
    port_.clearError();
    const QSerialPort::PinoutSignals lines = port_.pinoutSignals();
    if (port_.error() != QSerialPort::NoError)
        return !modemLines_ || fail(kSerialIoError);
    raised = lines.testFlag(QSerialPort::DataSetReadySignal);
    return true;
}

bool QtSerialLine::send(const QByteArray& bytes) {
    if (!requireOpen())
        return false;
    if (port_.write(bytes) != bytes.size())
        return fail(kSerialIoError);
    port_.flush();
    return true;
}

void QtSerialLine::pullInput() {
    if (port_.isOpen())
        port_.waitForReadyRead(0);
}

int QtSerialLine::receivedCount() {
    if (!requireOpen())
        return 0;
    pullInput();
    return int(port_.bytesAvailable());
}

QByteArray QtSerialLine::receive(int length) {
    if (!requireOpen())
        return {};
    pullInput();
    return length > 0 ? port_.read(length) : port_.readAll();
}

bool QtSerialLine::clearReceiveBuffer() {
    if (!requireOpen())
        return false;
    pullInput();
    port_.readAll();
    return port_.clear(QSerialPort::Input) || fail(kSerialIoError);
}

bool QtSerialLine::clearSendBuffer() {
    if (!requireOpen())
        return false;
    return port_.clear(QSerialPort::Output) || fail(kSerialIoError);
}

bool QtSerialLine::waitForReceived(int msecs) {
    if (!port_.isOpen())
        return false;
    return port_.bytesAvailable() > 0 || port_.waitForReadyRead(msecs);
}

} // namespace kc
