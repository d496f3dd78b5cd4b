// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc {

// The three waits of the main window: 210 ms, 0.5 s and one tick of about 1 ms.
enum class WaitTimer { Timer1, Timer2, Timer3 };

constexpr int WaitMilliseconds(WaitTimer timer) {
    switch (timer) {
    case WaitTimer::Timer1:
        return 210;
    case WaitTimer::Timer2:
        return 500;
    case WaitTimer::Timer3:
        return 1;
    }
    return 1;
}

// Long actions keep the window painted by letting pending events run, and
// wait without blocking the event loop. Tests replace both with no-ops.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void runPendingOnce() = 0;
    virtual void wait(WaitTimer timer) = 0;
};

} // namespace kc
