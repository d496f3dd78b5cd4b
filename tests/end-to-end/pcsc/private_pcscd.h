// SPDX-License-Identifier: Apache-2.0
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

// A program a test starts and kills again (~QProcess); it also ends when the
// test process dies, so nothing is left running after a crash.
class ChildProcess {
  public:
    struct Options {
        std::vector<std::string> argv; // argv[0] is the program's path; the test's environment
        std::string outputFile;        // standard output and error, appended
        int listeningSocket = -1;      // handed over as fd 3, the way systemd does
    };
    // nullopt with the reason when it does not start.
    static std::optional<ChildProcess> Start(const Options& options, std::string& error);
    bool Running() const { return process_ && process_->state() != QProcess::NotRunning; }
    void Stop() { process_.reset(); }

  private:
    std::unique_ptr<QProcess> process_;
};

// A socket listening at path; -1 where it cannot be made.
int ListeningUnixSocket(const std::string& path);

// A pcscd of a test's own: own folder, reader configuration (vpcd on two free
// TCP ports, one per slot), listening socket handed over the systemd way, log
// file. Start points this process and its children at it (PCSCLITE_CSOCK_NAME).
class PrivatePcscd {
  public:
    // false or nullptr with the reason in whyNot.
    static bool Installed(std::string& whyNot);
    // withReaders false: no reader configured, and no wait for one.
    static std::unique_ptr<PrivatePcscd> Start(std::string& whyNot, bool withReaders = true);

    std::string log() const;
    // mktsim-vpcd (program) playing the scenario's card in the slot's reader until it ends.
    std::optional<ChildProcess> InsertCard(const std::string& program, const std::string& scenario, int slot,
                                           std::string& error) const;
    // Waits at most timeout until the slot's reader has a card (present) or none.
    bool WaitForCard(int slot, bool present, std::chrono::milliseconds timeout) const;

  private:
    PrivatePcscd() = default;
    bool WaitForReaders(std::chrono::milliseconds timeout);

    QTemporaryDir folder_{QDir::tempPath() + QStringLiteral("/kc-pcscd-XXXXXX")};
    uint16_t firstPort_ = 0;
    std::optional<ChildProcess> process_; // ended before the folder goes
};

} // namespace kc::test
