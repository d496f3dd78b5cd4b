// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "fault_plan.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kc::sim::serial {

struct EmulatorOptions {
    std::string scenario;         // empty: MKTSIM_SCENARIO, else the built-in one
    std::optional<uint16_t> port; // the scenario's port number played; default its first terminal's
    std::optional<int32_t> speed; // default the terminal's baudrate, else 9600
    std::vector<FaultSwitch> faults;
    std::string pnpId = "DEZ0042"; // empty: no plug-and-play identifier
    std::string link;              // a symbolic link to the device
    std::string lineSignals;       // the file that carries modem lines and framing to the preload library
    std::string trace;             // the simulator's trace of every command
    std::chrono::milliseconds wtxDelay{2500};
    bool verbose = false;   // every block on standard error
    bool listPorts = false; // only print the serial ports (1 to 256) the scenario names
};

// The options, or the reason they are wrong.
struct ParsedOptions {
    std::optional<EmulatorOptions> options;
    std::string error;
    bool help = false;
};

[[nodiscard]] ParsedOptions ParseEmulatorOptions(const std::vector<std::string>& args);
const char* EmulatorUsage();

} // namespace kc::sim::serial
