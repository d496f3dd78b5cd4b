// SPDX-License-Identifier: Apache-2.0
#include "serial/trace.h"

#include "ctapi/trace_file.h"

#include <cstdio>
#include <string>

namespace kc::serial {
namespace {

// A trace that cannot be written by the rules for health data is left
// out; the library works on without it.
ctapi::TraceFile& File() {
    static ctapi::TraceFile trace(ctapi::PathFromEnvironment("CTAPI_SERIAL_TRACE"));
    return trace;
}

} // namespace

bool TraceOn() {
    return File().on();
}

void Trace(std::string_view text) {
    File().writeLine(text);
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
