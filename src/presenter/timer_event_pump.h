// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/event_pump.h"

#include <functional>

namespace kc {

// Waits on a timer tick while the event loop keeps running, as the main
// window's three timers do. The hook runs before every round of events so a
// front-end can repaint from its model.
class TimerEventPump : public EventPump {
  public:
    using BeforeEvents = std::function<void()>;

    explicit TimerEventPump(BeforeEvents beforeEvents = {}) : beforeEvents_(std::move(beforeEvents)) {}

    void runPendingOnce() override;
    void wait(WaitTimer timer) override;

  private:
    BeforeEvents beforeEvents_;
};

} // namespace kc
