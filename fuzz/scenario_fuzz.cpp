// SPDX-License-Identifier: Apache-2.0
// The simulator's scenario parser on raw text. Every @file names a file
// whose content is its own name, so hex and raw file values are parsed too;
// a name starting with "missing" cannot be read.
#include "sim/scenario.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kc::sim::FileSource files = [](const std::string& path) -> std::optional<std::string> {
        if (path.starts_with("missing"))
            return std::nullopt;
        return path;
    };
    // Only crashes and hangs count; an error message is a fine outcome.
    static_cast<void>(kc::sim::Scenario::fromText(text, files, "fuzz.scn"));
    return 0;
}
