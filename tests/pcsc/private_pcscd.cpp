#include "private_pcscd.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <winscard.h>

namespace kc::test {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPcscdPaths[] = {"/usr/sbin/pcscd", "/usr/local/sbin/pcscd"};
constexpr const char* kVpcdDriver = "/usr/lib/pcsc/drivers/serial/libifdvpcd.so";
constexpr auto kStartLimit = std::chrono::seconds(10);
constexpr auto kPollPause = std::chrono::milliseconds(50);

std::string InstalledPcscd() {
    for (const char* path : kPcscdPaths) {
        if (access(path, X_OK) == 0)
            return path;
    }
    return {};
}

// A pair of neighbouring TCP ports that nobody listens on now; vpcd opens one per slot.
uint16_t FreePortPair() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        int sockets[2] = {socket(AF_INET, SOCK_STREAM, 0), socket(AF_INET, SOCK_STREAM, 0)};
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        uint16_t first = 0;
        socklen_t length = sizeof address;
        if (bind(sockets[0], reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            getsockname(sockets[0], reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            first = ntohs(address.sin_port);
            address.sin_port = htons(static_cast<uint16_t>(first + 1));
            if (first == 0xFFFF ||
                bind(sockets[1], reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
                first = 0;
        }
        close(sockets[0]);
        close(sockets[1]);
        if (first != 0)
            return first;
    }
    return 0;
}

int ListeningUnixSocket(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        close(fd);
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 64) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// One look at pcscd through the PC/SC client library.
struct PcscLook {
    SCARDCONTEXT context = 0;
    bool valid = false;
    PcscLook() {
        valid = SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context) == SCARD_S_SUCCESS;
    }
    ~PcscLook() {
        if (valid)
            SCardReleaseContext(context);
    }
    PcscLook(const PcscLook&) = delete;
    PcscLook& operator=(const PcscLook&) = delete;
};

} // namespace

bool PrivatePcscd::Installed(std::string& whyNot) {
    if (!InstalledPcscd().empty() && access(kVpcdDriver, R_OK) == 0)
        return true;
    whyNot = "pcscd or the vpcd reader driver is not installed (Debian packages pcscd and vsmartcard-vpcd, "
             "see scripts/install-deps.sh)";
    return false;
}

std::unique_ptr<PrivatePcscd> PrivatePcscd::Start(std::string& whyNot) {
    if (!Installed(whyNot))
        return nullptr;
    const std::string pcscd = InstalledPcscd();
    std::unique_ptr<PrivatePcscd> instance(new PrivatePcscd);
    char folder[] = "/tmp/kc-pcscd-XXXXXX";
    if (!mkdtemp(folder)) {
        whyNot = std::string("mkdtemp: ") + std::strerror(errno);
        return nullptr;
    }
    instance->folder_ = folder;
    instance->socketPath_ = instance->folder_ + "/pcscd.comm";
    instance->firstPort_ = FreePortPair();
    if (instance->firstPort_ == 0) {
        whyNot = "no two neighbouring free TCP ports for the virtual readers";
        return nullptr;
    }
    const std::string configFolder = instance->folder_ + "/reader.conf.d";
    fs::create_directory(configFolder);
    std::ofstream(configFolder + "/vpcd") << "FRIENDLYNAME \"Virtual PCD\"\n"
                                          << "DEVICENAME /dev/null:" << instance->firstPort_ << "\n"
                                          << "LIBPATH " << kVpcdDriver << "\n"
                                          << "CHANNELID " << instance->firstPort_ << "\n";

    const int listening = ListeningUnixSocket(instance->socketPath_);
    if (listening < 0) {
        whyNot = "cannot listen on " + instance->socketPath_;
        return nullptr;
    }
    ChildProcess::Options options;
    // pcscd accepts the handed-over socket only when LISTEN_PID is its own pid, which the shell knows.
    options.argv = {"/bin/sh", "-c",        "LISTEN_FDS=1 LISTEN_PID=$$ exec \"$0\" \"$@\"",
                    pcscd,     "-f",        "-a",
                    "-c",      configFolder};
    options.outputFile = instance->folder_ + "/pcscd.log";
    options.listeningSocket = listening;
    std::string error;
    instance->process_ = ChildProcess::Start(options, error);
    close(listening);
    if (!instance->process_) {
        whyNot = error;
        return nullptr;
    }
    setenv("PCSCLITE_CSOCK_NAME", instance->socketPath_.c_str(), 1);
    if (!instance->WaitForReaders(kStartLimit)) {
        whyNot = "the private pcscd did not show its two virtual readers; its log:\n" + instance->log();
        return nullptr;
    }
    return instance;
}

PrivatePcscd::~PrivatePcscd() {
    if (process_)
        process_->Stop();
    if (!folder_.empty()) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
}

std::string PrivatePcscd::readerName(int slot) const {
    return "Virtual PCD 00 0" + std::to_string(slot);
}

std::string PrivatePcscd::log() const {
    std::ifstream file(folder_ + "/pcscd.log");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool PrivatePcscd::WaitForReaders(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline && process_ && process_->Running()) {
        PcscLook look;
        DWORD length = 0;
        if (look.valid && SCardListReaders(look.context, nullptr, nullptr, &length) == SCARD_S_SUCCESS) {
            std::string names(length, '\0');
            if (SCardListReaders(look.context, nullptr, names.data(), &length) == SCARD_S_SUCCESS &&
                names.find(readerName(1)) != std::string::npos)
                return true;
        }
        std::this_thread::sleep_for(kPollPause);
    }
    return false;
}

bool PrivatePcscd::WaitForCard(int slot, bool present, std::chrono::milliseconds timeout) const {
    PcscLook look;
    if (!look.valid)
        return false;
    const std::string reader = readerName(slot);
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
    options.argv = {program, "--port", std::to_string(vpcdPort(slot)), scenario};
    options.outputFile = folder_ + "/vpcd-" + std::to_string(slot) + ".log";
    return ChildProcess::Start(options, error);
}

} // namespace kc::test
