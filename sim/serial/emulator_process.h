// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kc::sim::serial {

// mktsim-serial as a child process, for tests and benchmarks: started with
// its options, waited for until it names its device, and ended by its pid.
class EmulatorProcess {
  public:
    EmulatorProcess() = default;
    ~EmulatorProcess() { stop(); }
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    // False with the reason when the program does not name its device within a few seconds.
    [[nodiscard]] bool start(const std::string& program, const std::vector<std::string>& options,
                             std::string& error);
    const std::string& devicePath() const { return devicePath_; }
    // -1 when it does not run.
    pid_t pid() const { return pid_; }
    // True until the emulator has ended (by itself after a hang-up, or by stop()).
    [[nodiscard]] bool running();
    // Ends the emulator (SIGTERM, SIGKILL if it does not go within a few
    // seconds) and returns what it printed after the device path.
    std::string stop();

    // The line bytes it counted, read from what stop() returned.
    struct LineBytes {
        uint64_t fromHost = 0;
        uint64_t toHost = 0;
    };
    static LineBytes parseLineBytes(const std::string& report);

  private:
    [[nodiscard]] std::string readAvailable(int waitMs);

    pid_t pid_ = -1;
    int output_ = -1;
    std::string devicePath_;
    std::string pending_;
};

} // namespace kc::sim::serial
