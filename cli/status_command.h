// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc::cli {

class ConsoleRun;
struct CommandLine;

// kartocheck-cli status PN: tests port PN as the scan does when it comes to
// that port, without reading a card, and prints its status page (or JSON).
// 0 when a terminal answers on the port, 1 otherwise.
int RunStatusCommand(ConsoleRun& run, const CommandLine& line);

} // namespace kc::cli
