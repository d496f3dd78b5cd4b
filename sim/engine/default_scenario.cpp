// SPDX-License-Identifier: Apache-2.0
#include "embedded_files.h"
#include "sim/scenario.h"

#include <cstdio>

namespace kc::sim {

namespace {

constexpr const char* kDefaultScenarioName = "default.scn";

std::optional<std::string> EmbeddedFile(const std::string& path) {
    for (std::size_t i = 0; i < embedded::kDefaultScenarioFileCount; ++i) {
        const auto& file = embedded::kDefaultScenarioFiles[i];
        if (path == file.path)
            return std::string(reinterpret_cast<const char*>(file.data), file.size);
    }
    return std::nullopt;
}

} // namespace

Scenario Scenario::builtIn() {
    const auto text = EmbeddedFile(kDefaultScenarioName);
    auto loaded = fromText(text.value_or(""), EmbeddedFile, kDefaultScenarioName);
    if (loaded)
        return std::move(*loaded);
    // The tests load this scenario, so only a broken build gets here: answer
    // -10 everywhere rather than take the host program down.
    std::fprintf(stderr, "mktsim: built-in scenario: %s\n", loaded.error.c_str());
    return Scenario{};
}

} // namespace kc::sim
