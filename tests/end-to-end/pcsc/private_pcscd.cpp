// SPDX-License-Identifier: Apache-2.0
#include "private_pcscd.h"

#include <QFile>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <winscard.h>

namespace kc::test {

namespace {

constexpr const char* kPcscdPaths[] = {"/usr/sbin/pcscd", "/usr/local/sbin/pcscd"};
constexpr const char* kVpcdDriver = "/usr/lib/pcsc/drivers/serial/libifdvpcd.so";
constexpr auto kStartLimit = std::chrono::seconds(10);
constexpr auto kPollPause = std::chrono::milliseconds(50);

std::string InstalledPcscd() {
    for (const char* path : kPcscdPaths)
        if (access(path, X_OK) == 0)
            return path;
    return {};
}

// A pair of neighbouring TCP ports that nobody listens on now; vpcd opens one per slot.
uint16_t FreePortPair() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int first = socket(AF_INET, SOCK_STREAM, 0), second = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        socklen_t length = sizeof address;
        auto* raw = reinterpret_cast<sockaddr*>(&address);
        uint16_t port = 0;
        if (bind(first, raw, length) == 0 && getsockname(first, raw, &length) == 0)
            port = ntohs(address.sin_port);
        address.sin_port = htons(static_cast<uint16_t>(port + 1));
        const bool pair = port != 0 && port != 0xFFFF && bind(second, raw, length) == 0;
        close(first);
        close(second);
        if (pair)
            return port;
    }
    return 0;
}

struct PcscLook {
    SCARDCONTEXT context = 0;
    const bool valid =
        SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context) == SCARD_S_SUCCESS;
    ~PcscLook() {
        if (valid)
            SCardReleaseContext(context);
    }
};

} // namespace

int ListeningUnixSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 &&
        (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 64) != 0)) {
        close(fd);
        return -1;
    }
    return fd;
}

std::optional<ChildProcess> ChildProcess::Start(const Options& options, std::string& error) {
    ChildProcess child;
    child.process_ = std::make_unique<QProcess>();
    QProcess& process = *child.process_;
    const QString output = QString::fromStdString(options.outputFile);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(output, QIODevice::Append);
    process.setStandardErrorFile(output, QIODevice::Append);
    const int socket = options.listeningSocket;
    process.setChildProcessModifier([socket] {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (socket == 3)
            fcntl(3, F_SETFD, 0);
        else if (socket >= 0)
            dup2(socket, 3);
    });
    QStringList arguments;
    for (const std::string& argument : options.argv)
        arguments.append(QString::fromStdString(argument));
    const QString program = arguments.takeFirst();
    process.start(program, arguments);
    if (process.waitForStarted(10000))
        return child;
    error = options.argv[0] + ": " + process.errorString().toStdString();
    return std::nullopt;
}

bool PrivatePcscd::Installed(std::string& whyNot) {
    if (!InstalledPcscd().empty() && access(kVpcdDriver, R_OK) == 0)
        return true;
    whyNot = "pcscd or the vpcd reader driver is not installed (Debian packages pcscd and vsmartcard-vpcd, "
             "see scripts/install-deps.sh)";
    return false;
}

std::unique_ptr<PrivatePcscd> PrivatePcscd::Start(std::string& whyNot, bool withReaders) {
    if (!Installed(whyNot))
        return nullptr;
    std::unique_ptr<PrivatePcscd> instance(new PrivatePcscd);
    const std::string folder = instance->folder_.path().toStdString();
    const std::string socketPath = folder + "/pcscd.comm";
    instance->firstPort_ = FreePortPair();
    const int listening = ListeningUnixSocket(socketPath);
    if (!instance->folder_.isValid() || instance->firstPort_ == 0 || listening < 0) {
        whyNot = "no private folder, no two neighbouring free TCP ports or no socket at " + socketPath;
        return nullptr;
    }
    const std::string configFolder = folder + "/reader.conf.d";
    QDir().mkpath(QString::fromStdString(configFolder));
    QFile config(QString::fromStdString(configFolder + "/vpcd"));
    const QByteArray port = QByteArray::number(instance->firstPort_);
    if (withReaders && config.open(QIODevice::WriteOnly))
        config.write("FRIENDLYNAME \"Virtual PCD\"\nDEVICENAME /dev/null:" + port + "\nLIBPATH " +
                     kVpcdDriver + "\nCHANNELID " + port + "\n");
    config.close();

    ChildProcess::Options options;
    // pcscd accepts the handed-over socket only when LISTEN_PID is its own pid, which the shell knows.
    options.argv = {
        "/bin/sh", "-c",        "LISTEN_FDS=1 LISTEN_PID=$$ exec \"$0\" \"$@\"", InstalledPcscd(), "-f", "-a",
        "-c",      configFolder};
    options.outputFile = folder + "/pcscd.log";
    options.listeningSocket = listening;
    instance->process_ = ChildProcess::Start(options, whyNot);
    close(listening);
    if (!instance->process_)
        return nullptr;
    setenv("PCSCLITE_CSOCK_NAME", socketPath.c_str(), 1);
    if (withReaders && !instance->WaitForReaders(kStartLimit)) {
        whyNot = "the private pcscd did not show its two virtual readers; its log:\n" + instance->log();
        return nullptr;
    }
    return instance;
}

std::string PrivatePcscd::log() const {
    QFile file(folder_.filePath(QStringLiteral("pcscd.log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

bool PrivatePcscd::WaitForReaders(std::chrono::milliseconds timeout) {
    // The second reader there, empty: both are up.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (; std::chrono::steady_clock::now() < deadline && process_ && process_->Running();
         std::this_thread::sleep_for(kPollPause))
        if (WaitForCard(1, false, kPollPause))
            return true;
    return false;
}

bool PrivatePcscd::WaitForCard(int slot, bool present, std::chrono::milliseconds timeout) const {
    PcscLook look;
    if (!look.valid)
        return false;
    const std::string reader = "Virtual PCD 00 0" + std::to_string(slot);
    SCARD_READERSTATE state{};
    state.szReader = reader.c_str();
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const LONG result = SCardGetStatusChange(
            look.context, static_cast<DWORD>(std::max<long>(0, left.count())), &state, 1);
        if (result != SCARD_S_SUCCESS && result != SCARD_E_TIMEOUT)
            return false;
        const bool there = (state.dwEventState & SCARD_STATE_PRESENT) != 0;
        if (there == present)
            return true;
        if (result == SCARD_E_TIMEOUT || left.count() <= 0)
            return false;
        state.dwCurrentState = state.dwEventState & ~static_cast<DWORD>(SCARD_STATE_CHANGED);
    }
}

std::optional<ChildProcess> PrivatePcscd::InsertCard(const std::string& program, const std::string& scenario,
                                                     int slot, std::string& error) const {
    ChildProcess::Options options;
    options.argv = {program, "--port", std::to_string(firstPort_ + slot), scenario};
    options.outputFile = folder_.filePath(QStringLiteral("vpcd-%1.log").arg(slot)).toStdString();
    return ChildProcess::Start(options, error);
}

} // namespace kc::test
