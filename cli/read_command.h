#pragma once

#include <QStringList>

namespace kc::cli {

class Console;

// kartocheck-cli read PN [options]: reads the card on port PN as the read
// button does and prints the card data, the slot's status page and, after an
// eGK, what the eGK information window shows.
// 0 when card data were read, 1 otherwise, 64 for a wrong call.
int RunReadCommand(const QStringList& args, Console& console);

} // namespace kc::cli
