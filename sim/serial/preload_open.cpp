// SPDX-License-Identifier: Apache-2.0
// Part of the emulator's preload library: opens the emulated port where a
// program insists on a fixed device name. MKTSIM_SERIAL_REDIRECT holds
// "FROM=TO" pairs separated by commas, e.g. "/dev/ttyS0=/dev/pts/7".
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>

namespace {

using OpenFunction = int (*)(const char*, int, ...);

// The replacement path for path, or path itself.
std::string Redirected(const char* path) {
    const char* pairs = std::getenv("MKTSIM_SERIAL_REDIRECT");
    if (!pairs || !path)
        return path ? path : "";
    const std::string list = pairs;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        const std::string pair = list.substr(start, end - start);
        const std::size_t equals = pair.find('=');
        if (equals != std::string::npos && pair.compare(0, equals, path) == 0 && std::strlen(path) == equals)
            return pair.substr(equals + 1);
        start = end + 1;
    }
    return path;
}

int OpenThrough(const char* name, const char* path, int flags, mode_t mode) {
    static auto next = reinterpret_cast<OpenFunction>(dlsym(RTLD_NEXT, name));
    if (!next)
        return -1;
    return next(Redirected(path).c_str(), flags, mode);
}

mode_t ModeOf(int flags, va_list arguments) {
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode_t(va_arg(arguments, int)) : 0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    return OpenThrough("open", path, flags, mode);
}

extern "C" __attribute__((visibility("default"))) int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    return OpenThrough("open64", path, flags, mode);
}
