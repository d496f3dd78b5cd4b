// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc {

enum class LampColor { Neutral, Yellow, Green };

// Lamp 0 is card access, lamp 1 terminal access.
constexpr int kCardLamp = 0;
constexpr int kTerminalLamp = 1;

class LampObserver {
  public:
    virtual ~LampObserver() = default;
    virtual void setLamp(int lamp, LampColor color) = 0;
};

} // namespace kc
