// SPDX-License-Identifier: Apache-2.0
#include "pty_device.h"

#include <cerrno>
#include <termios.h>
#include <unistd.h>

namespace kc::sim::serial {

int32_t BaudOf(unsigned speed) {
    switch (speed) {
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 0;
    }
}

bool IsLineSpeed(int32_t baud) {
    for (unsigned speed : {B1200, B2400, B4800, B9600, B19200, B38400, B57600, B115200})
        if (BaudOf(speed) == baud)
            return true;
    return false;
}

bool PtyDevice::create(std::string& error) {
    line_.emplace(ctapi::PseudoTerminal::Reads::NonBlocking);
    slaveDevice_ = line_->ok() ? line_->holdSlave() : 0;
    if (slaveDevice_ == 0) {
        error = line_->error();
        line_.reset();
        return false;
    }
    slavePath_ = line_->slavePath();
    return true;
}

PtyDevice::HostSide PtyDevice::hostSide() const {
    termios settings{};
    if (master() < 0 || ::tcgetattr(master(), &settings) != 0)
        return {};
    return {BaudOf(cfgetospeed(&settings)), (settings.c_lflag & (ICANON | ECHO)) == 0};
}

void PtyDevice::send(const uint8_t* bytes, std::size_t count) {
    while (master() >= 0 && count > 0) {
        const ssize_t written = ::write(master(), bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        bytes += written;
        count -= std::size_t(written);
    }
}

void PtyDevice::hangUp() {
    line_.reset();
}

} // namespace kc::sim::serial
