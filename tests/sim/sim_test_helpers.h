// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "scratch_dir.h"
#include "sim/simulator.h"
#include "test_printers.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kc::sim::test {

using kc::test::ScratchDir;

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

constexpr uint8_t kCard = 0;
constexpr uint8_t kTerminal = 1;

} // namespace kc::sim::test
