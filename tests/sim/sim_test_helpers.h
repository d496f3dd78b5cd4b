// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/simulator.h"
#include "test_printers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kc::sim::test {

// The simulator's scenario folder (sim/scenarios), where @cards/... live:
// KC_SCENARIOS when ctest sets it, else the folder this build was made from.
inline std::string scenariosDir() {
    const char* dir = std::getenv("KC_SCENARIOS");
    return dir && *dir ? dir : KC_SIM_SCENARIOS_DIR;
}

// A simulator from scenario text whose @files are in sim/scenarios; fails
// the test when the text does not load.
inline Simulator load(std::string_view text) {
    auto loaded = Simulator::fromText(text, scenariosDir());
    if (!loaded) {
        ADD_FAILURE() << loaded.error;
        return Simulator(Scenario{});
    }
    return std::move(*loaded);
}

// A folder of its own for one test, gone with it: ctest runs tests side by
// side, so a fixed name under /tmp would be shared between them.
class ScratchDir {
  public:
    ScratchDir() {
        std::string name = (std::filesystem::temp_directory_path() / "mktsim_test.XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr)
            ADD_FAILURE() << "mkdtemp failed for " << name;
        path_ = name;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

constexpr uint8_t kCard = 0;
constexpr uint8_t kTerminal = 1;

} // namespace kc::sim::test
