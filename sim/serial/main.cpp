// mktsim-serial: a scenario's card terminal on a pseudo-terminal, for the
// serial CT-API library and any other program that talks to a serial port.
#include "emulator_options.h"
#include "serial_emulator.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

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
    std::printf("bytes from host: %llu\nbytes to host: %llu\n", static_cast<unsigned long long>(emulator.bytesFromHost()),
                static_cast<unsigned long long>(emulator.bytesToHost()));
    return 0;
}
