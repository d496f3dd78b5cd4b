#pragma once

#include <QStringList>

namespace kc::cli {

class Console;

// kartocheck-cli scan [--trace]: runs the scan of the scan button and prints
// the result window, every status page, the further ports and the card data
// of the first slot with data. 0 when a terminal answered, 1 otherwise.
int RunScanCommand(const QStringList& args, Console& console);

} // namespace kc::cli
