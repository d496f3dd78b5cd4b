// SPDX-License-Identifier: Apache-2.0
#include "line_signals.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace kc::sim::serial {

struct SharedLineSignals::Shared {
    uint32_t magic;
    uint32_t reserved;
    uint64_t deviceNumber;
    std::atomic<uint32_t> hostBits;
    std::atomic<uint32_t> deviceBits;
    std::atomic<uint32_t> framing; // kFramingSet plus the cflag bits
};

namespace {

constexpr uint32_t kMagic = 0x4B434C53; // "KCLS"
constexpr std::size_t kFileSize = 4096;
constexpr uint32_t kHostBits = TIOCM_DTR | TIOCM_RTS;
constexpr uint32_t kDeviceBits = TIOCM_DSR | TIOCM_CTS | TIOCM_CAR | TIOCM_RNG;
constexpr uint32_t kFramingBits = CSIZE | PARENB | PARODD | CSTOPB;
constexpr uint32_t kFramingSet = 0x80000000u;
static_assert((kFramingBits & kFramingSet) == 0);

void* MapFile(int fd) {
    void* mapped = ::mmap(nullptr, kFileSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return mapped == MAP_FAILED ? nullptr : mapped;
}

} // namespace

SharedLineSignals::SharedLineSignals(SharedLineSignals&& other) noexcept : shared_(other.shared_) {
    other.shared_ = nullptr;
}

SharedLineSignals& SharedLineSignals::operator=(SharedLineSignals&& other) noexcept {
    std::swap(shared_, other.shared_);
    return *this;
}

SharedLineSignals::~SharedLineSignals() {
    if (shared_)
        ::munmap(shared_, kFileSize);
}

std::optional<SharedLineSignals> SharedLineSignals::create(const std::string& path, dev_t device,
                                                           std::string& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::ftruncate(fd, kFileSize) != 0) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    void* mapped = MapFile(fd);
    ::close(fd);
    if (!mapped) {
        error = "cannot map " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return SharedLineSignals(new (mapped) Shared{kMagic, 0, uint64_t(device), {0}, {0}, {0}});
}

std::optional<SharedLineSignals> SharedLineSignals::attach(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    void* mapped =
        ::fstat(fd, &status) == 0 && std::size_t(status.st_size) >= kFileSize ? MapFile(fd) : nullptr;
    ::close(fd);
    if (!mapped)
        return std::nullopt;
    auto* shared = static_cast<Shared*>(mapped);
    if (shared->magic != kMagic) {
        ::munmap(mapped, kFileSize);
        return std::nullopt;
    }
    return SharedLineSignals(shared);
}

dev_t SharedLineSignals::device() const {
    return dev_t(shared_->deviceNumber);
}
uint32_t SharedLineSignals::hostLines() const {
    return shared_->hostBits.load();
}
void SharedLineSignals::setHostLines(uint32_t lines) {
    shared_->hostBits.store(lines & kHostBits);
}
uint32_t SharedLineSignals::deviceLines() const {
    return shared_->deviceBits.load();
}
void SharedLineSignals::setDeviceLines(uint32_t lines) {
    shared_->deviceBits.store(lines & kDeviceBits);
}

std::optional<uint32_t> SharedLineSignals::framing() const {
    const uint32_t value = shared_->framing.load();
    if (!(value & kFramingSet))
        return std::nullopt;
    return value & kFramingBits;
}

void SharedLineSignals::setFraming(uint32_t cflag) {
    shared_->framing.store(kFramingSet | (cflag & kFramingBits));
}

} // namespace kc::sim::serial
