// SPDX-License-Identifier: Apache-2.0
#include "serial/trace.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace kc::serial {
namespace {

struct TraceFile {
    std::FILE* file = nullptr;
    bool owned = false;
    std::mutex mutex;

    TraceFile() {
        const char* path = std::getenv("CTAPI_SERIAL_TRACE");
        if (!path || !*path)
            return;
        if (std::string_view(path) == "-") {
            file = stderr;
            return;
        }
        file = std::fopen(path, "a");
        owned = file != nullptr;
    }
    ~TraceFile() {
        if (owned)
            std::fclose(file);
    }
};

TraceFile& File() {
    static TraceFile trace;
    return trace;
}

} // namespace

bool TraceOn() {
    return File().file != nullptr;
}

void Trace(std::string_view text) {
    TraceFile& trace = File();
    if (!trace.file)
        return;
    std::lock_guard lock(trace.mutex);
    std::fprintf(trace.file, "%.*s\n", int(text.size()), text.data());
    std::fflush(trace.file);
}

void TraceFrame(char direction, std::span<const uint8_t> frame) {
    if (!TraceOn())
        return;
    std::string text(1, direction);
    char digits[4];
    for (uint8_t byte : frame) {
        std::snprintf(digits, sizeof digits, " %02X", byte);
        text += digits;
    }
    Trace(text);
}

} // namespace kc::serial
