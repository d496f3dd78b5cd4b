// SPDX-License-Identifier: Apache-2.0
#include "emulator_options.h"

#include <charconv>

namespace kc::sim::serial {
namespace {

template <typename Number> std::optional<Number> ParseNumber(const std::string& text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

const char* EmulatorUsage() {
    return "usage: mktsim-serial [--scenario FILE] [--port PN] [--speed BAUD] [--fault KIND[@N][xM]]...\n"
           "                     [--pnp-id ID|none] [--link PATH] [--line-signals FILE] [--trace FILE]\n"
           "                     [--wtx-delay MS] [--verbose]\n"
           "       mktsim-serial [--scenario FILE] --list-ports\n"
           "Plays a scenario's terminal on a pseudo-terminal and prints the device path.\n"
           "--list-ports prints the serial ports (1 to 256) the scenario names, one a line:\n"
           "\"PN terminal\" or, from its [ports] section, \"PN result\".\n"
           "KIND: silence, lrc, nak, wtx, hangup; after N commands, M times (default: for good).\n";
}

ParsedOptions ParseEmulatorOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    EmulatorOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            parsed.help = true;
            return parsed;
        }
        if (name == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (name == "--list-ports") {
            options.listPorts = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            parsed.error = "missing value after " + name;
            return parsed;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (name == "--scenario") {
            options.scenario = value;
        } else if (name == "--port") {
            options.port = ParseNumber<uint16_t>(value);
            ok = options.port.has_value();
        } else if (name == "--speed") {
            options.speed = ParseNumber<int32_t>(value);
            ok = options.speed.has_value();
        } else if (name == "--fault") {
            const auto fault = ParseFaultSwitch(value);
            ok = fault.has_value();
            if (ok)
                options.faults.push_back(*fault);
        } else if (name == "--pnp-id") {
            options.pnpId = value == "none" ? std::string() : value;
            ok = value == "none" || value.size() == 7;
        } else if (name == "--link") {
            options.link = value;
        } else if (name == "--line-signals") {
            options.lineSignals = value;
        } else if (name == "--trace") {
            options.trace = value;
        } else if (name == "--wtx-delay") {
            const auto delay = ParseNumber<int>(value);
            ok = delay && *delay >= 0 && *delay <= 60000;
            if (ok)
                options.wtxDelay = std::chrono::milliseconds(*delay);
        } else {
            parsed.error = "unknown option " + name;
            return parsed;
        }
        if (!ok) {
            parsed.error = "bad value for " + name + ": " + value;
            return parsed;
        }
    }
    parsed.options = std::move(options);
    return parsed;
}

} // namespace kc::sim::serial
