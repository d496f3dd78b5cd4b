// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/event_pump.h"
#include "base/status_line.h"

namespace kc::cli {

class Console;

// The status line on the console's message stream: every new text on a line
// of its own (a text repeated unchanged would not change the window either);
// nothing when quiet. Progress and the busy pointer have no console form.
class ConsoleStatusLine : public StatusLine {
  public:
    ConsoleStatusLine(Console& console, bool quiet) : console_(console), quiet_(quiet) {}
    void showStatus(const QString& text) override;
    void setProgress(int) override {}
    void setBusy(bool) override {}

  private:
    Console& console_;
    bool quiet_;
    QString shown_;
};

// No window to keep painted; waits really wait.
class ConsoleEventPump : public EventPump {
  public:
    void runPendingOnce() override {}
    void wait(WaitTimer timer) override;
};

} // namespace kc::cli
