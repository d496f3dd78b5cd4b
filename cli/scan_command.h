// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc::cli {

class ConsoleRun;
struct CommandLine;

// kartocheck-cli scan: runs the scan of the scan button and prints the
// result window, every status page, the further ports and the card data of
// the first slot with data (or all of it as JSON).
int RunScanCommand(ConsoleRun& run, const CommandLine& line);

} // namespace kc::cli
