// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc {

struct Context;
class MainView;
class PortChoice;
class SerialLine;

// Button 0: tests COM 1 to 4 and every further port, reads a card wherever
// a terminal answers, shows the result window and then the first slot with
// card data.
void RunScan(Context& ctx, SerialLine& line, MainView& view, PortChoice& portChoice);

} // namespace kc
