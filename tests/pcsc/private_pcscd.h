#pragma once

#include "child_process.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kc::test {

// A pcscd of a test's own: its own folder with the reader configuration
// (vpcd on two free TCP ports, one per slot), its own listening socket handed
// over the systemd way, and its output in a log file. Start points this
// process's PC/SC clients, and the programs it starts, at that socket
// (PCSCLITE_CSOCK_NAME), so one process has one private pcscd.
class PrivatePcscd {
  public:
    // Whether pcscd and the vpcd driver are installed; whyNot says what is missing.
    static bool Installed(std::string& whyNot);
    // nullptr with the reason when pcscd does not come up with its readers.
    static std::unique_ptr<PrivatePcscd> Start(std::string& whyNot);
    ~PrivatePcscd();

    const std::string& socketPath() const { return socketPath_; }
    // The TCP port of the virtual reader "Virtual PCD 00 0<slot>".
    uint16_t vpcdPort(int slot) const { return static_cast<uint16_t>(firstPort_ + slot); }
    std::string readerName(int slot) const;
    std::string log() const;

    // Starts mktsim-vpcd (program) playing the scenario's card in the
    // reader of the slot; the card leaves when the process ends.
    std::optional<ChildProcess> InsertCard(const std::string& program, const std::string& scenario, int slot,
                                           std::string& error) const;
    // Waits at most timeout until the reader has a card (or, with
    // present false, has none); false when it did not come to that.
    bool WaitForCard(int slot, bool present, std::chrono::milliseconds timeout) const;

  private:
    PrivatePcscd() = default;
    bool WaitForReaders(std::chrono::milliseconds timeout);

    std::string folder_;
    std::string socketPath_;
    uint16_t firstPort_ = 0;
    std::optional<ChildProcess> process_;
};

} // namespace kc::test
