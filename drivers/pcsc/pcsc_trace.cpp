// SPDX-License-Identifier: Apache-2.0
#include "pcsc_trace.h"

#include "ctapi/trace_file.h"

#include <cstdio>
#include <string>

namespace kc::pcsc {

namespace {

// A trace that cannot be written by the rules for health data is left
// out; the library works on without it.
ctapi::TraceFile& Trace() {
    static ctapi::TraceFile trace(ctapi::PathFromEnvironment("CTAPI_PCSC_TRACE"));
    return trace;
}

} // namespace

bool TraceOn() {
    return Trace().on();
}

void TracePcscCall(std::string_view call, LONG result, std::string_view detail) {
    if (!TraceOn())
        return;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    std::string line(call);
    line += " -> ";
    line += code;
    line += ' ';
    line += pcsc_stringify_error(result);
    if (!detail.empty()) {
        line += ' ';
        line += detail;
    }
    Trace().writeLine(line);
}

} // namespace kc::pcsc
