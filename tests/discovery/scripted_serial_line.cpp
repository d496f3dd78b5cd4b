#include "scripted_serial_line.h"

namespace kc::test {

SerialDevice* ScriptedSerialLine::device() {
    auto found = devices.find(pn_);
    return found == devices.end() ? nullptr : &found->second;
}

bool ScriptedSerialLine::logged(const QString& entry, const QString& operation) {
    log.append(entry);
    SerialDevice* dev = device();
    if (!open_)
        error_ = kSerialNotOpen;
    else if (dev && dev->failingOperation == operation)
        error_ = dev->failingError;
    else
        return true;
    return false;
}

bool ScriptedSerialLine::open(uint16_t pn) {
    log.append(QStringLiteral("open %1").arg(pn));
    auto found = devices.find(pn);
    error_ = found == devices.end() ? kSerialInvalidPort : found->second.openError;
    if (error_ != kSerialNoError)
        return false;
    open_ = true;
    pn_ = pn;
    dtr_ = rts_ = false;
    rtsRises_ = 0;
    input_.clear();
    pending_.clear();
    return true;
}

void ScriptedSerialLine::close() {
    log.append(QStringLiteral("close"));
    open_ = false;
}

bool ScriptedSerialLine::setSettings(const QString& settings) {
    if (!logged(QStringLiteral("settings ") + settings, QStringLiteral("settings")))
        return false;
    settings_ = settings;
    return true;
}

bool ScriptedSerialLine::setDtr(bool raised) {
    if (!logged(QStringLiteral("dtr %1").arg(int(raised)), QStringLiteral("dtr")))
        return false;
    dtr_ = raised;
    return true;
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
    if (!logged(QStringLiteral("clear in"), QStringLiteral("clear")))
        return false;
    input_.clear();
    return true;
}

bool ScriptedSerialLine::clearSendBuffer() {
    return logged(QStringLiteral("clear out"), QStringLiteral("clear"));
}

} // namespace kc::test
