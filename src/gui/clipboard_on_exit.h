// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace kc {

class Clipboard;

// The clipboard may hold an insured person's data, so it is emptied on every
// way the program ends besides closing the main window: the end of the
// desktop session, the application quitting, and SIGTERM, SIGINT and SIGHUP.
// The signals reach the event loop through a socket pair, since a signal
// handler may do no more than write to it. One instance at a time.
class ClipboardOnExit : public QObject {
  public:
    // What follows once the clipboard is empty after a signal.
    using SignalEnding = std::function<void(int signal)>;

    explicit ClipboardOnExit(Clipboard& clipboard, SignalEnding ending = endBySignal);
    ~ClipboardOnExit() override;
    ClipboardOnExit(const ClipboardOnExit&) = delete;
    ClipboardOnExit& operator=(const ClipboardOnExit&) = delete;

    // Ends the process by the signal itself, as it would have without us.
    static void endBySignal(int signal);

  private:
    void signalArrived();

    Clipboard& clipboard_;
    SignalEnding ending_;
    int fds_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace kc
