// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc::cli {

class ConsoleRun;
struct CommandLine;

// kartocheck-cli read PN: tests port PN as the scan does, reads the card as
// the read button does and prints the card data, the port's status page and,
// after an eGK, what the eGK information window shows (or all of it as JSON).
int RunReadCommand(ConsoleRun& run, const CommandLine& line);

} // namespace kc::cli
