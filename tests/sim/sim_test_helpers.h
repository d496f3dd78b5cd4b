// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "scratch_dir.h"
#include "sim/simulator.h"
#include "sim_harness.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc::sim::test {

using kc::test::ScratchDir;

// The simulator's scenario folder (sim/scenarios), where @cards/... live.
inline std::string scenariosDir() {
    return kc::test::SimHarness::ScenarioDir().toStdString();
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
