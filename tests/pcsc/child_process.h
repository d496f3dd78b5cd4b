#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kc::test {

// A program a test starts and ends again by its pid: SIGTERM, then SIGKILL
// if it has not gone within a few seconds. It also ends when the test
// process dies, so nothing is left running after a crash.
class ChildProcess {
  public:
    struct Options {
        std::vector<std::string> argv; // argv[0] is the program's path; the test's environment
        std::string outputFile;        // standard output and error; empty: /dev/null
        int listeningSocket = -1;      // handed over as fd 3, the way systemd does
    };

    // nullopt with the reason when fork fails.
    static std::optional<ChildProcess> Start(const Options& options, std::string& error);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    pid_t pid() const { return pid_; }
    bool Running();
    void Stop();

  private:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}

    pid_t pid_ = -1;
};

} // namespace kc::test
