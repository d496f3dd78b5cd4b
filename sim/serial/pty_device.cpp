// SPDX-License-Identifier: Apache-2.0
#include "pty_device.h"

#include <cerrno>
#include <termios.h>
#include <unistd.h>

namespace kc::sim::serial {

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
    return {ctapi::BaudOf(cfgetospeed(&settings)), (settings.c_lflag & (ICANON | ECHO)) == 0};
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
