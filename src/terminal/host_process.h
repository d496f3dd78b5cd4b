// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/host_protocol.h"
#include "terminal/unique_fd.h"

#include <chrono>
#include <functional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kc {

// kartocheck-ctapi-host as a child process: started with its end of a socket
// pair as descriptor 3, asked one frame at a time within a time limit, and
// always ended and reaped by its pid.
class HostProcess {
  public:
    using WhileWaiting = std::function<void()>;
    enum class Outcome { Answered, TimedOut, Ended, Malformed };
    // How the helper ended: killed by a signal, or exited with a status.
    struct End {
        bool bySignal = false;
        int number = 0;
    };

    HostProcess() = default;
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    // 0 once the helper runs, else the errno of the failed start.
    [[nodiscard]] int start(const std::string& program, const std::string& argument);
    bool running() const { return pid_ > 0; }

    // Sends frame (may be empty) and waits for the helper's next frame until
    // limit, letting whileWaiting run between short slices of waiting.
    [[nodiscard]] Outcome exchange(std::span<const uint8_t> frame, std::chrono::milliseconds limit,
                                   const WhileWaiting& whileWaiting, std::vector<uint8_t>& payload);

    // Closes the socket, lets the helper leave by itself within grace (0: not
    // at all), otherwise kills it; reaps it either way.
    End end(std::chrono::milliseconds grace, const WhileWaiting& whileWaiting = {});

  private:
    [[nodiscard]] bool sendSome(std::span<const uint8_t> frame, std::size_t& sent);
    [[nodiscard]] bool receiveSome();
    void reapLeftovers();

    pid_t pid_ = -1;
    UniqueFd socket_;
    host::FrameReader reader_;
    // Killed helpers that had not gone yet (stuck in the kernel); tried again later.
    std::vector<pid_t> unreaped_;
};

} // namespace kc
