// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <csignal>

namespace kc::cli {

// Ctrl+C during a run asks it to end rather than killing it: the action
// under way finishes (its session closed, no record half-erased), every box
// still to come takes its stopping button, and the run ends with status 4.
// The handler resets itself, so a second Ctrl+C ends the program at once.
class InterruptRequest {
  public:
    InterruptRequest();
    ~InterruptRequest();
    InterruptRequest(const InterruptRequest&) = delete;
    InterruptRequest& operator=(const InterruptRequest&) = delete;

    static bool requested();

  private:
    struct sigaction previous_ {};
};

} // namespace kc::cli
