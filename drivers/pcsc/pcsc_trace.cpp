// SPDX-License-Identifier: Apache-2.0
#include "pcsc_trace.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace kc::pcsc {

namespace {

struct FileCloser {
    void operator()(FILE* file) const {
        if (file != stderr)
            std::fclose(file);
    }
};

struct TraceFile {
    std::mutex lock;
    std::unique_ptr<FILE, FileCloser> file;

    TraceFile() {
        const char* name = std::getenv("CTAPI_PCSC_TRACE");
        if (!name || !*name)
            return;
        file.reset(std::string_view(name) == "-" ? stderr : std::fopen(name, "a"));
    }
};

TraceFile& Trace() {
    static TraceFile trace;
    return trace;
}

} // namespace

bool TraceOn() {
    return Trace().file != nullptr;
}

void TracePcscCall(std::string_view call, LONG result, std::string_view detail) {
    TraceFile& trace = Trace();
    if (!trace.file)
        return;
    std::lock_guard guard(trace.lock);
    std::fprintf(trace.file.get(), "%.*s -> 0x%08lX %s%s%.*s\n", static_cast<int>(call.size()), call.data(),
                 static_cast<unsigned long>(result), pcsc_stringify_error(result), detail.empty() ? "" : " ",
                 static_cast<int>(detail.size()), detail.data());
    std::fflush(trace.file.get());
}

} // namespace kc::pcsc
