#pragma once

#include "base/event_pump.h"
#include "base/status_line.h"

namespace kc::cli {

class Console;

// The status line on the console: every new text on a line of its own (a
// text repeated unchanged would not change the window either). Progress and
// the busy pointer have no console form.
class ConsoleStatusLine : public StatusLine {
  public:
    explicit ConsoleStatusLine(Console& console) : console_(console) {}
    void showStatus(const QString& text) override;
    void setProgress(int) override {}
    void setBusy(bool) override {}

  private:
    Console& console_;
    QString shown_;
};

// No window to keep painted; waits really wait.
class ConsoleEventPump : public EventPump {
  public:
    void runPendingOnce() override {}
    void wait(WaitTimer timer) override;
};

} // namespace kc::cli
