// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc::cli {

class ConsoleRun;
struct CommandLine;

// kartocheck-cli diagnose PN: the diagnosis dialogue of the test button for
// port PN, its questions answered on the console; then the port's status
// page and, if a card was read, its data.
int RunDiagnoseCommand(ConsoleRun& run, const CommandLine& line);

} // namespace kc::cli
