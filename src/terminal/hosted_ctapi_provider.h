// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/ctapi_provider.h"
#include "terminal/host_time_limits.h"
#include "terminal/hosted_ctapi.h"

#include <QString>
#include <functional>
#include <memory>

namespace kc {

// The program's terminal library, run in kartocheck-ctapi-host so that a
// library that hangs, crashes or exits cannot take the program with it. The
// helper starts when a terminal function is first needed.
class HostedCtApiProvider : public CtApiProvider {
  public:
    // The helper next to the program or installed, with the library the program chooses.
    HostedCtApiProvider();
    HostedCtApiProvider(QString helper, QString library, HostTimeLimits limits = {});

    CtApi* acquire(LibraryFault& fault) override;
    QString takeLibraryLoss() override { return api_ ? api_->takeLoss() : QString(); }

    // Runs between the slices of every wait for the helper: the event pump
    // that keeps the window painted.
    void setWhileWaiting(std::function<void()> whileWaiting);

    // Another terminal library from now on: the helper of the old one ends,
    // and the next terminal function starts a fresh one with this file.
    void useLibrary(const QString& library);
    // The file the helper loads (or will load when it first starts).
    QString libraryFile() const;

    static QString helperToStart();

  private:
    QString helper_;
    QString library_; // empty: the program's choice when the helper first starts
    HostTimeLimits limits_;
    std::function<void()> whileWaiting_;
    std::unique_ptr<HostedCtApi> api_;
    bool loaded_ = false;
};

} // namespace kc
