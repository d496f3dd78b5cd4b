// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/bytes.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kc::sim::vpcd {

// The card's side of one TCP connection to pcscd's vpcd reader driver. Every
// message is a two-byte big-endian length and a payload.
class VpcdLink {
  public:
    // nullopt when nobody listens on 127.0.0.1:port.
    [[nodiscard]] static std::optional<VpcdLink> connect(uint16_t port);

    VpcdLink(VpcdLink&& other) noexcept;
    VpcdLink& operator=(VpcdLink&& other) noexcept;
    VpcdLink(const VpcdLink&) = delete;
    VpcdLink& operator=(const VpcdLink&) = delete;
    ~VpcdLink();

    // false when the reader side closed the connection or it broke.
    [[nodiscard]] bool receive(Bytes& message);
    [[nodiscard]] bool send(std::span<const uint8_t> message);

  private:
    explicit VpcdLink(int socket) : socket_(socket) {}

    int socket_ = -1;
};

} // namespace kc::sim::vpcd
