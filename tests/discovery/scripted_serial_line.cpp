// SPDX-License-Identifier: Apache-2.0
#include "scripted_serial_line.h"

#include "data_rows.h"
#include "discovery/baud_probe.h"

namespace kc::test {

SerialDevice* ScriptedSerialLine::device() {
    auto found = devices.find(pn_);
    return found == devices.end() ? nullptr : &found->second;
}

bool ScriptedSerialLine::logged(const QString& entry, const QString& operation) {
    log.append(entry);
    const bool fails = open_ && device() &&
                       (device()->failingOperation == operation ||
                        (device()->failingFrom > 0 && log.size() >= device()->failingFrom));
    if (!open_ || fails)
        error_ = fails ? device()->failingError : kSerialNotOpen;
    return open_ && !fails;
}

bool ScriptedSerialLine::open(uint16_t pn) {
    log.append(QStringLiteral("open %1").arg(pn));
    pn_ = pn;
    error_ = device() ? device()->openError : kSerialInvalidPort;
    open_ = error_ == kSerialNoError;
    dtr_ = rts_ = false;
    rtsRises_ = 0;
    input_.clear();
    pending_.clear();
    return open_;
}

void ScriptedSerialLine::close() {
    log.append(QStringLiteral("close"));
    open_ = false;
}

bool ScriptedSerialLine::setSettings(const QString& settings) {
    return logged(QStringLiteral("settings ") + settings, QStringLiteral("settings")) &&
           (settings_ = settings, true);
}

bool ScriptedSerialLine::setDtr(bool raised) {
    return logged(QStringLiteral("dtr %1").arg(int(raised)), QStringLiteral("dtr")) && (dtr_ = raised, true);
}

// A rise of RTS with DTR high powers the device up; from the given power-up
// on it sends its plug-and-play text.
bool ScriptedSerialLine::setRts(bool raised) {
    if (!logged(QStringLiteral("rts %1").arg(int(raised)), QStringLiteral("rts")))
        return false;
    SerialDevice* dev = device();
    if (raised && !rts_ && dtr_ && ++rtsRises_ >= dev->pnpFromRtsRise)
        pending_.insert(pending_.end(), dev->pnpChunks.begin(), dev->pnpChunks.end());
    rts_ = raised;
    return true;
}

bool ScriptedSerialLine::dsr(bool& raised) {
    raised = false;
    if (!logged(QStringLiteral("dsr"), QStringLiteral("dsr")))
        return false;
    raised = device()->dsr && dtr_;
    return true;
}

bool ScriptedSerialLine::send(const QByteArray& bytes) {
    if (!logged(QStringLiteral("send ") + QString::fromLatin1(bytes.toHex().toUpper()),
                QStringLiteral("send")))
        return false;
    if (device()->answer)
        input_ += device()->answer(settings_, bytes);
    return true;
}

// A chunk of the plug-and-play text arrives with each look at the line, as
// the device keeps sending between two ticks.
int ScriptedSerialLine::receivedCount() {
    if (open_ && input_.isEmpty() && !pending_.empty()) {
        input_ += pending_.front();
        pending_.pop_front();
    }
    return open_ ? int(input_.size()) : 0;
}

QByteArray ScriptedSerialLine::receive(int length) {
    receivedCount();
    const QByteArray taken = length > 0 ? input_.left(length) : input_;
    input_.remove(0, taken.size());
    return taken;
}

bool ScriptedSerialLine::clearReceiveBuffer() {
    return logged(QStringLiteral("clear in"), QStringLiteral("clear")) && (input_.clear(), true);
}

bool ScriptedSerialLine::clearSendBuffer() {
    return logged(QStringLiteral("clear out"), QStringLiteral("clear"));
}

SerialDevice DeviceOf(const test::DataCase& c) {
    SerialDevice device;
    const QString speed = c.field("answers").section(QLatin1Char('='), 0, 0);
    const QString hex = c.field("answers").section(QLatin1Char('='), 1);
    const QByteArray answer = hex.isEmpty() ? kResynchResponse : QByteArray::fromHex(hex.toLatin1());
    if (!speed.isEmpty())
        device.answer = [speed, answer](const QString& settings, const QByteArray& sent) {
            return settings.startsWith(speed + QLatin1Char(',')) && sent == kResynchRequest ? answer
                                                                                            : QByteArray();
        };
    device.dsr = c.field("dsr") == QStringLiteral("1");
    for (const QString& chunk : test::Items(c.field("chunks")))
        device.pnpChunks.append(chunk.toLatin1().replace("\\x01", "\x01"));
    device.pnpFromRtsRise = qMax(1, c.field("from-rise").toInt());
    device.openError = c.field("open-error").toInt();
    device.failingOperation = c.field("fails").section(QLatin1Char('='), 0, 0);
    device.failingFrom = c.field("fails-from").toInt();
    if (c.field("fails").contains(QLatin1Char('=')))
        device.failingError = c.field("fails").section(QLatin1Char('='), 1).toInt();
    return device;
}

} // namespace kc::test
