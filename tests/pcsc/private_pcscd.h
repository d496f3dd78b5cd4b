#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kc::test {

// A program a test starts and ends again: SIGTERM, then SIGKILL if it has
// not gone within a few seconds. It also ends when the test process dies,
// so nothing is left running after a crash.
class ChildProcess {
  public:
    struct Options {
        std::vector<std::string> argv; // argv[0] is the program's path; the test's environment
        std::string outputFile;        // standard output and error; empty: /dev/null
        int listeningSocket = -1;      // handed over as fd 3, the way systemd does
    };
    // nullopt with the reason when it does not start.
    static std::optional<ChildProcess> Start(const Options& options, std::string& error);
    bool Running() const { return process_ && process_->state() != QProcess::NotRunning; }
    void Stop() { process_.reset(); }

  private:
    struct Ender {
        void operator()(QProcess* process) const;
    };
    std::unique_ptr<QProcess, Ender> process_;
};

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

    std::string log() const;
    // Starts mktsim-vpcd (program) playing the scenario's card in the
    // reader of the slot; the card leaves when the process ends.
    std::optional<ChildProcess> InsertCard(const std::string& program, const std::string& scenario, int slot,
                                           std::string& error) const;
    // Waits at most timeout until the reader of the slot has a card (or, with
    // present false, has none); false when it did not come to that.
    bool WaitForCard(int slot, bool present, std::chrono::milliseconds timeout) const;

  private:
    PrivatePcscd() = default;
    bool WaitForReaders(std::chrono::milliseconds timeout);

    QTemporaryDir folder_{QDir::tempPath() + QStringLiteral("/kc-pcscd-XXXXXX")};
    uint16_t firstPort_ = 0;
    std::optional<ChildProcess> process_; // ended before the folder goes
};

} // namespace kc::test
