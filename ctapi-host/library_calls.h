// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/ctapi.h"
#include "terminal/host_protocol.h"

#include <vector>

namespace kc::host {

// Answers the program's requests by calling the library. The library always
// gets a response buffer of the full CT-API size, so one that ignores lenr
// writes into spare room of this process; the program gets back no more
// than it can take.
class LibraryCalls {
  public:
    explicit LibraryCalls(CtApi& library) : library_(library) {}

    Answer answer(const Request& request);

  private:
    DataAnswer data(const DataRequest& request);

    CtApi& library_;
    std::vector<uint8_t> command_ = std::vector<uint8_t>(0xFFFF);
    std::vector<uint8_t> response_ = std::vector<uint8_t>(kFullResponseSize);
};

} // namespace kc::host
