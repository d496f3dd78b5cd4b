// SPDX-License-Identifier: Apache-2.0
#include "terminal/host_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <utility>

extern char** environ;

namespace kc {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Short enough for the window to keep repainting while the helper works.
constexpr milliseconds kSlice{20};
// How long a killed helper may take to disappear.
constexpr milliseconds kKillGrace{2000};
// How long a helper whose socket was closed may take to leave by itself.
constexpr milliseconds kStopGrace{1000};

class SpawnActions {
  public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

// The helper starts with no signal blocked, whatever the program blocks.
class SpawnAttributes {
  public:
    SpawnAttributes() {
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    posix_spawnattr_t* get() { return &attributes_; }

  private:
    posix_spawnattr_t attributes_;
};

// Runs the person's events once a slice has passed since they last ran.
void PumpEverySlice(const HostProcess::WhileWaiting& whileWaiting, Clock::time_point& lastPump) {
    if (whileWaiting && Clock::now() - lastPump >= kSlice) {
        whileWaiting();
        lastPump = Clock::now();
    }
}

// How the helper ended once it has gone; nothing while it runs.
std::optional<HostProcess::End> TryReap(pid_t pid) {
    int status = 0;
    const pid_t reaped = waitpid(pid, &status, WNOHANG);
    if (reaped == 0)
        return std::nullopt;
    if (reaped < 0) // reaped by someone else already: gone, how is unknown
        return HostProcess::End{};
    if (WIFSIGNALED(status))
        return HostProcess::End{true, WTERMSIG(status)};
    return HostProcess::End{false, WEXITSTATUS(status)};
}

std::optional<HostProcess::End> WaitForExit(pid_t pid, milliseconds limit,
                                            const HostProcess::WhileWaiting& whileWaiting) {
    const auto deadline = Clock::now() + limit;
    auto lastPump = Clock::now();
    for (;;) {
        if (auto ended = TryReap(pid))
            return ended;
        if (Clock::now() >= deadline)
            return std::nullopt;
        PumpEverySlice(whileWaiting, lastPump);
        std::this_thread::sleep_for(milliseconds(1));
    }
}

} // namespace

HostProcess::~HostProcess() {
    end(kStopGrace);
    reapLeftovers();
}

int HostProcess::start(const std::string& program, const std::string& argument) {
    end(milliseconds(0));
    reapLeftovers();
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        return errno;
    UniqueFd ours(pair[0]);
    UniqueFd theirs(pair[1]);
    // Duplicating a descriptor onto itself would leave it closed on exec; the copy lands above it.
    if (theirs.get() == host::kSocketFd) {
        theirs = UniqueFd(fcntl(theirs.get(), F_DUPFD_CLOEXEC, host::kSocketFd));
        if (!theirs.valid())
            return errno;
    }
    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), theirs.get(), host::kSocketFd);
    // The program's input is the person's; the library has no business with it.
    posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    SpawnAttributes attributes;
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()), nullptr};
    pid_t pid = -1;
    if (const int failed = posix_spawn(&pid, program.c_str(), actions.get(), attributes.get(), argv, environ))
        return failed;
    pid_ = pid;
    socket_ = std::move(ours);
    reader_.clear();
    return 0;
}

HostProcess::Outcome HostProcess::exchange(std::span<const uint8_t> frame, milliseconds limit,
                                           const WhileWaiting& whileWaiting, std::vector<uint8_t>& payload) {
    if (!running())
        return Outcome::Ended;
    const auto deadline = Clock::now() + limit;
    auto lastPump = Clock::now();
    std::size_t sent = 0;
    for (;;) {
        switch (reader_.next(payload)) {
        case host::FrameReader::Status::Frame:
            return Outcome::Answered;
        case host::FrameReader::Status::Malformed:
            return Outcome::Malformed;
        case host::FrameReader::Status::NeedMore:
            break;
        }
        const auto now = Clock::now();
        if (now >= deadline)
            return Outcome::TimedOut;
        PumpEverySlice(whileWaiting, lastPump);
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - now) + milliseconds(1);
        pollfd ready{socket_.get(), short(POLLIN | (sent < frame.size() ? POLLOUT : 0)), 0};
        if (poll(&ready, 1, int(std::min(kSlice, left).count())) < 0) {
            if (errno == EINTR)
                continue;
            return Outcome::Ended;
        }
        if ((ready.revents & POLLOUT) && !sendSome(frame, sent))
            return Outcome::Ended;
        if ((ready.revents & (POLLIN | POLLHUP | POLLERR)) && !receiveSome())
            return Outcome::Ended;
    }
}

bool HostProcess::sendSome(std::span<const uint8_t> frame, std::size_t& sent) {
    // No SIGPIPE when the helper has gone: that is an answer, not a reason to end the program.
    const ssize_t n =
        ::send(socket_.get(), frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0) {
        sent += std::size_t(n);
        return true;
    }
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

bool HostProcess::receiveSome() {
    uint8_t buffer[16384];
    const ssize_t n = ::recv(socket_.get(), buffer, sizeof buffer, MSG_DONTWAIT);
    if (n > 0) {
        reader_.append(buffer, std::size_t(n));
        return true;
    }
    if (n == 0)
        return false;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

HostProcess::End HostProcess::end(milliseconds grace, const WhileWaiting& whileWaiting) {
    if (!running())
        return End{true, SIGKILL};
    socket_.reset();
    reader_.clear();
    const pid_t pid = std::exchange(pid_, -1);
    if (auto ended = WaitForExit(pid, grace, whileWaiting))
        return *ended;
    ::kill(pid, SIGKILL);
    if (auto ended = WaitForExit(pid, kKillGrace, whileWaiting))
        return *ended;
    unreaped_.push_back(pid);
    return End{true, SIGKILL};
}

void HostProcess::reapLeftovers() {
    std::erase_if(unreaped_, [](pid_t pid) { return TryReap(pid).has_value(); });
}

} // namespace kc
