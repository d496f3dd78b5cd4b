// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/host_protocol.h"

#include <optional>
#include <vector>

namespace kc::host {

// The helper's blocking side of the socket: one request in, one answer out.
class FrameChannel {
  public:
    explicit FrameChannel(int fd) : fd_(fd) {}

    // The next request; nothing once the program has closed its end or sent
    // something that is not a request.
    [[nodiscard]] std::optional<Request> read();
    [[nodiscard]] bool write(const std::vector<uint8_t>& frame);

  private:
    int fd_;
    FrameReader reader_;
};

} // namespace kc::host
