#include "child_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kc::test {

namespace {

constexpr auto kGraceTime = std::chrono::seconds(5);
constexpr auto kPollPause = std::chrono::milliseconds(20);

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (auto& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

bool WaitGone(pid_t pid, std::chrono::steady_clock::duration limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const pid_t done = waitpid(pid, nullptr, WNOHANG);
        if (done == pid || (done < 0 && errno == ECHILD))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kPollPause);
    }
}

} // namespace

std::optional<ChildProcess> ChildProcess::Start(const Options& options, std::string& error) {
    // Everything the child needs is made before fork: after it, only plain system calls.
    std::vector<std::string> argv = options.argv;
    std::vector<char*> argvPointers = Pointers(argv);
    const std::string output = options.outputFile.empty() ? "/dev/null" : options.outputFile;
    const pid_t parent = getpid();

    const pid_t pid = fork();
    if (pid < 0) {
        error = std::string("fork: ") + std::strerror(errno);
        return std::nullopt;
    }
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
        }
        const int in = open("/dev/null", O_RDONLY);
        if (in >= 0)
            dup2(in, STDIN_FILENO);
        if (options.listeningSocket >= 0) {
            if (options.listeningSocket == 3)
                fcntl(3, F_SETFD, 0);
            else
                dup2(options.listeningSocket, 3);
        }
        execv(argvPointers[0], argvPointers.data());
        _exit(127);
    }
    return ChildProcess(pid);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : pid_(other.pid_) {
    other.pid_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Stop();
        pid_ = other.pid_;
        other.pid_ = -1;
    }
    return *this;
}

ChildProcess::~ChildProcess() {
    Stop();
}

bool ChildProcess::Running() {
    if (pid_ <= 0)
        return false;
    if (waitpid(pid_, nullptr, WNOHANG) == 0)
        return true;
    pid_ = -1;
    return false;
}

void ChildProcess::Stop() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    if (!WaitGone(pid_, kGraceTime)) {
        kill(pid_, SIGKILL);
        WaitGone(pid_, kGraceTime);
    }
    pid_ = -1;
}

} // namespace kc::test
