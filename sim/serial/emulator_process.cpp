// SPDX-License-Identifier: Apache-2.0
#include "emulator_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kc::sim::serial {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr auto kStopTimeout = std::chrono::seconds(5);

uint64_t NumberAfter(const std::string& text, const std::string& label) {
    const auto at = text.find(label);
    return at == std::string::npos ? 0 : std::strtoull(text.c_str() + at + label.size(), nullptr, 10);
}

} // namespace

bool EmulatorProcess::start(const std::string& program, const std::vector<std::string>& options,
                            std::string& error) {
    stop();
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return false;
    }
    std::vector<std::string> args{program};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    output_ = pipeEnds[0];
    if (spawned != 0) {
        pid_ = -1;
        error = "cannot start " + program + ": " + std::strerror(spawned);
        return false;
    }
    const auto deadline = Clock::now() + kStartTimeout;
    while (pending_.find('\n') == std::string::npos && Clock::now() < deadline && running())
        pending_ += readAvailable(100);
    const auto lineEnd = pending_.find('\n');
    if (lineEnd == std::string::npos) {
        error = program + " did not name its device";
        stop();
        return false;
    }
    devicePath_ = pending_.substr(0, lineEnd);
    pending_.erase(0, lineEnd + 1);
    return true;
}

std::string EmulatorProcess::readAvailable(int waitMs) {
    if (output_ < 0)
        return {};
    pollfd entry{output_, POLLIN, 0};
    if (::poll(&entry, 1, waitMs) <= 0)
        return {};
    char buffer[512];
    const ssize_t got = ::read(output_, buffer, sizeof buffer);
    return got > 0 ? std::string(buffer, std::size_t(got)) : std::string();
}

bool EmulatorProcess::running() {
    if (pid_ < 0)
        return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == 0)
        return true;
    // Reaped: its pid may now belong to someone else and is never signalled.
    pid_ = -1;
    return false;
}

std::string EmulatorProcess::stop() {
    if (running()) {
        ::kill(pid_, SIGTERM);
        const auto deadline = Clock::now() + kStopTimeout;
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (Clock::now() >= deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        pid_ = -1;
    }
    std::string report = std::move(pending_);
    pending_.clear();
    for (std::string part = readAvailable(0); !part.empty(); part = readAvailable(0))
        report += part;
    if (output_ >= 0)
        ::close(output_);
    output_ = -1;
    return report;
}

EmulatorProcess::LineBytes EmulatorProcess::parseLineBytes(const std::string& report) {
    return {NumberAfter(report, "bytes from host: "), NumberAfter(report, "bytes to host: ")};
}

} // namespace kc::sim::serial
