// SPDX-License-Identifier: Apache-2.0
// Part of the emulator's preload library: gives the emulated ports what a
// pseudo-terminal lacks. On those devices (and only there) the host's modem
// line requests and its character framing go to the device's file among those
// MKTSIM_SERIAL_LINE_SIGNALS names (separated by ':'), which its emulator
// watches; the framing the host set is what it reads back. Everything else
// goes to the system.
#include "line_signals.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <dlfcn.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <vector>

namespace {

using kc::sim::serial::SharedLineSignals;

constexpr tcflag_t kFramingBits = CSIZE | PARENB | PARODD | CSTOPB;

// The files the variable names that could be attached.
std::vector<SharedLineSignals>& Signals() {
    static std::vector<SharedLineSignals> signals = [] {
        std::vector<SharedLineSignals> attached;
        const char* paths = std::getenv("MKTSIM_SERIAL_LINE_SIGNALS");
        std::string rest = paths ? paths : "";
        while (!rest.empty()) {
            const std::size_t end = rest.find(':');
            if (auto file = SharedLineSignals::attach(rest.substr(0, end)))
                attached.push_back(std::move(*file));
            rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
        }
        return attached;
    }();
    return signals;
}

// The file of the emulated port fd is, else nullptr.
SharedLineSignals* SignalsFor(int fd) {
    std::vector<SharedLineSignals>& signals = Signals();
    struct stat status {};
    if (signals.empty() || ::fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode))
        return nullptr;
    for (SharedLineSignals& file : signals)
        if (status.st_rdev == file.device())
            return &file;
    return nullptr;
}

template <typename Function> Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

int ModemRequest(SharedLineSignals& signals, unsigned long request, int* bits) {
    if (!bits)
        return -1;
    switch (request) {
    case TIOCMGET:
        *bits = int(signals.hostLines() | signals.deviceLines());
        break;
    case TIOCMSET:
        signals.setHostLines(uint32_t(*bits));
        break;
    case TIOCMBIS:
        signals.setHostLines(signals.hostLines() | uint32_t(*bits));
        break;
    case TIOCMBIC:
        signals.setHostLines(signals.hostLines() & ~uint32_t(*bits));
        break;
    }
    return 0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int ioctl(int fd, unsigned long request, ...) {
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    const bool modemRequest =
        request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC;
    if (modemRequest)
        if (SharedLineSignals* signals = SignalsFor(fd))
            return ModemRequest(*signals, request, static_cast<int*>(argument));
    static const auto next = Next<int (*)(int, unsigned long, ...)>("ioctl");
    return next ? next(fd, request, argument) : -1;
}

// The C library reports EINVAL when a pseudo-terminal drops the parity or
// the character size it was asked for; on the emulated port they are kept here.
extern "C" __attribute__((visibility("default"))) int tcsetattr(int fd, int action, const termios* settings) {
    static const auto next = Next<int (*)(int, int, const termios*)>("tcsetattr");
    if (!next)
        return -1;
    const int result = next(fd, action, settings);
    SharedLineSignals* signals = settings ? SignalsFor(fd) : nullptr;
    if (!signals || (result != 0 && errno != EINVAL))
        return result;
    signals->setFraming(uint32_t(settings->c_cflag));
    return 0;
}

extern "C" __attribute__((visibility("default"))) int tcgetattr(int fd, termios* settings) {
    static const auto next = Next<int (*)(int, termios*)>("tcgetattr");
    if (!next)
        return -1;
    const int result = next(fd, settings);
    if (result == 0 && settings)
        if (SharedLineSignals* signals = SignalsFor(fd))
            if (const auto framing = signals->framing())
                settings->c_cflag = (settings->c_cflag & ~kFramingBits) | tcflag_t(*framing);
    return result;
}
