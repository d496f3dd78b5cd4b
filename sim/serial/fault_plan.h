// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace kc::sim::serial {

enum class FaultKind {
    Silence,  // the terminal ignores what the host sends (RESYNCH included)
    WrongLrc, // blocks from the terminal carry a wrong checksum
    Nak,      // the terminal answers an I-block with an R-block error
    Wtx,      // the terminal asks for more time before it answers
    HangUp,   // the terminal hangs up after the first block of a chained answer
};

// One fault switch: KIND[@N][xM] on the command line. The fault strikes once
// N commands have been answered, M times in all (without xM, for good).
struct FaultSwitch {
    FaultKind kind = FaultKind::Silence;
    int after = 0;
    int times = -1;
};

[[nodiscard]] std::optional<FaultSwitch> ParseFaultSwitch(std::string_view text);

class FaultPlan {
  public:
    void add(const FaultSwitch& fault) { faults_.push_back(fault); }
    // True when a fault of that kind strikes now (and counts it).
    [[nodiscard]] bool strikes(FaultKind kind, int commandsAnswered);

  private:
    std::vector<FaultSwitch> faults_;
};

} // namespace kc::sim::serial
