// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <sys/types.h>

namespace kc::ctapi {

// A new pseudo-terminal as a serial line: the simulator's terminals talk on
// its master side, and a test or the screenshot tour holds one as a port
// nobody answers on. Both sides close with it, and the host sees the line
// hang up.
class PseudoTerminal {
  public:
    enum class Reads { Waiting, NonBlocking };
    explicit PseudoTerminal(Reads reads = Reads::Waiting);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    [[nodiscard]] bool ok() const { return master_ >= 0; }
    // What failed, with the system's reason, when not ok().
    [[nodiscard]] const std::string& error() const { return error_; }
    [[nodiscard]] int master() const { return master_; }
    [[nodiscard]] const std::string& slavePath() const { return slavePath_; }

    // Keeps the slave side open, raw at 9600 bit/s until a host sets its own,
    // so that the line neither hangs up each time a host closes the port nor
    // echoes or edits bytes in between. Its device number; 0 on failure.
    [[nodiscard]] dev_t holdSlave();

  private:
    void fail(const std::string& what);

    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string error_;
};

} // namespace kc::ctapi
