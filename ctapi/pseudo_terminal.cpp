// SPDX-License-Identifier: Apache-2.0
#include "ctapi/pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace kc::ctapi {

PseudoTerminal::PseudoTerminal(Reads reads) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | (reads == Reads::NonBlocking ? O_NONBLOCK : 0));
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        fail("no pseudo-terminal");
        return;
    }
    char name[128] = {};
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        fail("no pseudo-terminal name");
        return;
    }
    slavePath_ = name;
}

PseudoTerminal::~PseudoTerminal() {
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

void PseudoTerminal::fail(const std::string& what) {
    error_ = what + ": " + std::strerror(errno);
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

dev_t PseudoTerminal::holdSlave() {
    if (master_ < 0)
        return 0;
    if (slave_ < 0)
        slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    struct stat status {};
    if (slave_ < 0 || ::fstat(slave_, &status) != 0) {
        error_ = "cannot open " + slavePath_ + ": " + std::strerror(errno);
        return 0;
    }
    termios settings{};
    ::tcgetattr(slave_, &settings);
    ::cfmakeraw(&settings);
    ::cfsetspeed(&settings, B9600);
    ::tcsetattr(slave_, TCSANOW, &settings);
    return status.st_rdev;
}

} // namespace kc::ctapi
