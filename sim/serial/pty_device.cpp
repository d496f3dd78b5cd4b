// SPDX-License-Identifier: Apache-2.0
#include "pty_device.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
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

PtyDevice::~PtyDevice() {
    hangUp();
}

bool PtyDevice::create(std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = std::string("no pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) {
        error = std::string("no pseudo-terminal name: ") + std::strerror(errno);
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    struct stat status {};
    if (slave_ < 0 || ::fstat(slave_, &status) != 0) {
        error = "cannot open " + slavePath_ + ": " + std::strerror(errno);
        return false;
    }
    slaveDevice_ = status.st_rdev;
    // Until a host sets its own, the line is raw at 9600 bit/s: no echo, no
    // line editing that would swallow or answer bytes.
    termios settings{};
    ::tcgetattr(slave_, &settings);
    cfmakeraw(&settings);
    cfsetspeed(&settings, B9600);
    ::tcsetattr(slave_, TCSANOW, &settings);
    return true;
}

PtyDevice::HostSide PtyDevice::hostSide() const {
    termios settings{};
    if (master_ < 0 || ::tcgetattr(master_, &settings) != 0)
        return {};
    return {BaudOf(cfgetospeed(&settings)), (settings.c_lflag & (ICANON | ECHO)) == 0};
}

void PtyDevice::send(const uint8_t* bytes, std::size_t count) {
    while (master_ >= 0 && count > 0) {
        const ssize_t written = ::write(master_, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        bytes += written;
        count -= std::size_t(written);
    }
}

void PtyDevice::hangUp() {
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

} // namespace kc::sim::serial
