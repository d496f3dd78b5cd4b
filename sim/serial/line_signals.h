// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>

namespace kc::sim::serial {

// What a pseudo-terminal does not carry of a serial line: the modem lines and
// the character framing (the kernel forces 8 data bits without parity on a
// pseudo-terminal). A small file that the emulator creates and the host's
// preload library maps. The host owns DTR, RTS and the framing, the device
// DSR, CTS and DCD; the bits are the TIOCM_ and termios ones.
class SharedLineSignals {
  public:
    SharedLineSignals(SharedLineSignals&& other) noexcept;
    SharedLineSignals& operator=(SharedLineSignals&& other) noexcept;
    ~SharedLineSignals();

    // The emulator's side: a fresh file for the device with that number.
    [[nodiscard]] static std::optional<SharedLineSignals> create(const std::string& path, dev_t device,
                                                                 std::string& error);
    // The host's side; nullopt when the file is missing or not such a file.
    [[nodiscard]] static std::optional<SharedLineSignals> attach(const std::string& path);

    dev_t device() const;
    uint32_t hostLines() const;
    void setHostLines(uint32_t lines);
    uint32_t deviceLines() const;
    void setDeviceLines(uint32_t lines);
    // The CSIZE, PARENB, PARODD and CSTOPB bits the host last set; nullopt before it set any.
    [[nodiscard]] std::optional<uint32_t> framing() const;
    void setFraming(uint32_t cflag);

  private:
    struct Shared;
    explicit SharedLineSignals(Shared* shared) : shared_(shared) {}
    Shared* shared_ = nullptr;
};

} // namespace kc::sim::serial
