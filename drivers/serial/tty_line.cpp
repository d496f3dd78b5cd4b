// SPDX-License-Identifier: Apache-2.0
#include "serial/tty_line.h"

#include "ctapi/line_speeds.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kc::serial {
namespace {

// A whole frame goes out within this time, or the line counts as gone.
constexpr Milliseconds kWriteTimeout{2000};

OpenResult OpenErrorOf(int error) {
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
    case EIO: // a /dev/ttyS node without a UART behind it
        return OpenResult::Missing;
    case EBUSY:
    case EACCES:
    case EPERM:
    case EWOULDBLOCK:
        return OpenResult::InUse;
    default:
        return OpenResult::Failed;
    }
}

// Sets the settings; a device that takes everything but the parity (a
// pseudo-terminal, where the C library then reports EINVAL) is accepted.
bool Apply(int fd, const termios& settings) {
    if (::tcsetattr(fd, TCSANOW, &settings) == 0)
        return true;
    termios taken{};
    return errno == EINVAL && ::tcgetattr(fd, &taken) == 0 && cfgetospeed(&taken) == cfgetospeed(&settings) &&
           (taken.c_cflag & CSIZE) == (settings.c_cflag & CSIZE) && taken.c_lflag == settings.c_lflag;
}

int WaitFor(int fd, short events, Milliseconds wait) {
    pollfd entry{fd, events, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, int(wait.count()));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return ready;
    return (entry.revents & events) != 0 ? 1 : -1;
}

} // namespace

TtyLine::~TtyLine() {
    close();
}

OpenResult TtyLine::open(const std::string& path) {
    close();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return OpenErrorOf(errno);
    // Another program (or another ctn of this library) holding the device
    // counts as "in use"; the lock goes with the descriptor.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return OpenErrorOf(error == EWOULDBLOCK ? EBUSY : error);
    }
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        const int error = errno;
        ::close(fd);
        return error == ENOTTY ? OpenResult::Missing : OpenResult::Failed;
    }
    ::ioctl(fd, TIOCEXCL);
    original_ = settings;
    cfmakeraw(&settings);
    settings.c_cflag &= ~(CSIZE | PARODD | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | PARENB | CREAD | CLOCAL;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    cfsetspeed(&settings, B9600);
    if (!Apply(fd, settings)) {
        ::close(fd);
        return OpenResult::Failed;
    }
    // A terminal powered from the port needs DTR and RTS; a line without
    // modem control (a pseudo-terminal) refuses them, which is harmless.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &lines);
    fd_ = fd;
    next_ = end_ = 0;
    return OpenResult::Opened;
}

void TtyLine::close() {
    if (fd_ >= 0) {
        // The exclusive flag outlives the descriptor when someone else still
        // holds the device open (the emulator of a pseudo-terminal does).
        ::tcsetattr(fd_, TCSANOW, &original_);
        ::ioctl(fd_, TIOCNXCL);
        ::close(fd_);
    }
    fd_ = -1;
    next_ = end_ = 0;
}

bool TtyLine::setSpeed(int32_t baud) {
    const speed_t speed = ctapi::SpeedConstant(baud);
    termios settings{};
    if (fd_ < 0 || speed == B0 || ::tcgetattr(fd_, &settings) != 0)
        return false;
    cfsetspeed(&settings, speed);
    return Apply(fd_, settings);
}

bool TtyLine::write(std::span<const uint8_t> bytes) {
    const auto deadline = std::chrono::steady_clock::now() + kWriteTimeout;
    while (fd_ >= 0 && !bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(std::size_t(written));
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        const auto left =
            std::chrono::duration_cast<Milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || WaitFor(fd_, POLLOUT, left) <= 0)
            return false;
    }
    return fd_ >= 0;
}

ByteLine::Read TtyLine::read(uint8_t& byte, Milliseconds wait) {
    if (fd_ < 0)
        return Read::Failed;
    if (next_ == end_) {
        const int ready = WaitFor(fd_, POLLIN, wait);
        if (ready == 0)
            return Read::Timeout;
        if (ready < 0)
            return Read::Failed;
        ssize_t got = 0;
        do {
            got = ::read(fd_, buffer_.data(), buffer_.size());
        } while (got < 0 && errno == EINTR);
        if (got < 0 && errno == EAGAIN)
            return Read::Timeout;
        // End of file or an error: the far end hung up.
        if (got <= 0)
            return Read::Failed;
        next_ = 0;
        end_ = std::size_t(got);
    }
    byte = buffer_[next_++];
    return Read::Byte;
}

void TtyLine::discard() {
    next_ = end_ = 0;
    if (fd_ >= 0)
        ::tcflush(fd_, TCIOFLUSH);
}

} // namespace kc::serial
