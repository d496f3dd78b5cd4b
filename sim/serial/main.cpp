// SPDX-License-Identifier: Apache-2.0
// mktsim-serial: a scenario's card terminal on a pseudo-terminal, for the
// serial CT-API library and any other program that talks to a serial port.
#include "emulator_options.h"
#include "serial_emulator.h"

#include <csignal>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kLastSerialPort = 256;

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

void InstallSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// The serial ports (1 to 256) the scenario names, one a line with what it
// names there: "terminal" or, from its [ports] section, "result".
int ListSerialPorts(const std::string& scenario) {
    std::string error;
    const auto simulator = kc::sim::serial::LoadSimulator(scenario, error);
    if (!simulator) {
        std::fprintf(stderr, "mktsim-serial: %s\n", error.c_str());
        return 1;
    }
    std::map<uint16_t, const char*> ports;
    for (const kc::sim::TerminalSetup& terminal : simulator->scenario().terminals)
        for (uint16_t port : terminal.ports)
            ports[port] = "terminal";
    for (const auto& [port, results] : simulator->scenario().portResults)
        ports[port] = "result";
    for (const auto& [port, kind] : ports)
        if (port >= 1 && port <= kLastSerialPort)
            std::printf("%u %s\n", unsigned(port), kind);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = kc::sim::serial::ParseEmulatorOptions(args);
    if (parsed.help) {
        std::fputs(kc::sim::serial::EmulatorUsage(), stdout);
        return 0;
    }
    if (!parsed.options) {
        std::fprintf(stderr, "mktsim-serial: %s\n%s", parsed.error.c_str(), kc::sim::serial::EmulatorUsage());
        return 64;
    }
    if (parsed.options->listPorts)
        return ListSerialPorts(parsed.options->scenario);
    InstallSignals();
    kc::sim::serial::SerialEmulator emulator;
    std::string error;
    if (!emulator.start(*parsed.options, error)) {
        std::fprintf(stderr, "mktsim-serial: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", emulator.devicePath().c_str());
    std::fflush(stdout);
    emulator.run(stopRequested);
    std::printf("bytes from host: %llu\nbytes to host: %llu\n",
                static_cast<unsigned long long>(emulator.bytesFromHost()),
                static_cast<unsigned long long>(emulator.bytesToHost()));
    return 0;
}
