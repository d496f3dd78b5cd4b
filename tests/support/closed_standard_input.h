// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <fcntl.h>
#include <unistd.h>

namespace kc::test {

// Standard input closed for one test, as for a program a service starts
// without one: the next descriptor anybody opens is 0. Given back after.
class ClosedStandardInput {
  public:
    ClosedStandardInput() : saved_(zeroIsOpen() ? ::fcntl(0, F_DUPFD_CLOEXEC, 3) : -1) {
        if (saved_ >= 0)
            ::close(0);
    }
    ~ClosedStandardInput() {
        if (saved_ >= 0) {
            ::dup2(saved_, 0);
            ::close(saved_);
        }
    }
    ClosedStandardInput(const ClosedStandardInput&) = delete;
    ClosedStandardInput& operator=(const ClosedStandardInput&) = delete;

    // Whether descriptor 0 is open now.
    static bool zeroIsOpen() { return ::fcntl(0, F_GETFD) != -1; }

  private:
    int saved_;
};

} // namespace kc::test
