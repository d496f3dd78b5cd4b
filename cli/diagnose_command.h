#pragma once

#include <QStringList>

namespace kc::cli {

class Console;

// kartocheck-cli diagnose PN [--trace]: the diagnosis dialogue of the test
// button for port PN, its questions answered on the console; then the port's
// status page and, if a card was read, its data. 0 when a terminal answers
// on the port at the end, 1 otherwise.
int RunDiagnoseCommand(const QStringList& args, Console& console);

} // namespace kc::cli
