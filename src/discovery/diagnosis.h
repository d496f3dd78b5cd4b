// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <functional>

namespace kc {

struct Context;
class SerialLine;

// Selects a port option and runs its click handler (the port choice of the
// main window), so the buttons and the display follow the port again.
using OptionSelector = std::function<void(int option)>;

// The diagnosis dialogue for a port where no terminal answered: questions
// about cable, power, output format and line speed; the first No gives its
// advice and, for the last three, a re-test of the port.
void RunDiagnosis(Context& ctx, SerialLine& line, uint16_t pn, const OptionSelector& selectOption);

// Tests the port again and, if a terminal answers now, reads a card.
void RetestPort(Context& ctx, SerialLine& line, uint16_t pn, const OptionSelector& selectOption);

} // namespace kc
