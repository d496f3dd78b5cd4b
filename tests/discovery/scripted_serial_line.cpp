#include "scripted_serial_line.h"

namespace kc::test {

SerialDevice* ScriptedSerialLine::device() {
    auto found = devices.find(pn_);
    return found == devices.end() ? nullptr : &found->second;
}

bool ScriptedSerialLine::fails(const QString& operation) {
    if (!open_) {
        error_ = kSerialNotOpen;
        return true;
    }
    SerialDevice* dev = device();
    if (dev && dev->failingOperation == operation) {
        error_ = dev->failingError;
        return true;
    }
    return false;
}

bool ScriptedSerialLine::open(uint16_t pn) {
    log.append(QStringLiteral("open %1").arg(pn));
    error_ = kSerialNoError;
    auto found = devices.find(pn);
    if (found == devices.end()) {
        error_ = kSerialInvalidPort;
        return false;
    }
    if (found->second.openError != kSerialNoError) {
        error_ = found->second.openError;
        return false;
    }
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
    log.append(QStringLiteral("settings ") + settings);
    if (fails(QStringLiteral("settings")))
        return false;
    settings_ = settings;
    return true;
}

bool ScriptedSerialLine::setDtr(bool raised) {
    log.append(QStringLiteral("dtr %1").arg(int(raised)));
    if (fails(QStringLiteral("dtr")))
        return false;
    dtr_ = raised;
    return true;
}

bool ScriptedSerialLine::setRts(bool raised) {
    log.append(QStringLiteral("rts %1").arg(int(raised)));
    if (fails(QStringLiteral("rts")))
        return false;
    if (raised && !rts_ && dtr_) {
        ++rtsRises_;
        deliverPnp();
    }
    rts_ = raised;
    return true;
}

void ScriptedSerialLine::deliverPnp() {
    SerialDevice* dev = device();
    if (!dev || rtsRises_ < dev->pnpFromRtsRise)
        return;
    for (const QByteArray& chunk : dev->pnpChunks)
        pending_.push_back(chunk);
}

bool ScriptedSerialLine::dsr(bool& raised) {
    log.append(QStringLiteral("dsr"));
    raised = false;
    if (fails(QStringLiteral("dsr")))
        return false;
    SerialDevice* dev = device();
    raised = dev && dev->dsr && dtr_;
    return true;
}

bool ScriptedSerialLine::send(const QByteArray& bytes) {
    log.append(QStringLiteral("send ") + QString::fromLatin1(bytes.toHex().toUpper()));
    if (fails(QStringLiteral("send")))
        return false;
    SerialDevice* dev = device();
    if (dev && dev->answer)
        input_ += dev->answer(settings_, bytes);
    return true;
}

// A chunk of the plug-and-play text arrives with each look at the line, as
// the device keeps sending between two ticks.
int ScriptedSerialLine::receivedCount() {
    if (!open_)
        return 0;
    if (input_.isEmpty() && !pending_.empty()) {
        input_ += pending_.front();
        pending_.pop_front();
    }
    return int(input_.size());
}

QByteArray ScriptedSerialLine::receive(int length) {
    receivedCount();
    const QByteArray taken = length > 0 ? input_.left(length) : input_;
    input_.remove(0, taken.size());
    return taken;
}

bool ScriptedSerialLine::clearReceiveBuffer() {
    log.append(QStringLiteral("clear in"));
    if (fails(QStringLiteral("clear")))
        return false;
    input_.clear();
    return true;
}

bool ScriptedSerialLine::clearSendBuffer() {
    log.append(QStringLiteral("clear out"));
    return !fails(QStringLiteral("clear"));
}

} // namespace kc::test
