// SPDX-License-Identifier: Apache-2.0
// Holds a pseudo-terminal open as a serial port nobody answers on: prints the
// device path, then keeps the line until it is ended.
#include "ctapi/pseudo_terminal.h"

#include <cstdio>
#include <unistd.h>

int main() {
    const kc::ctapi::PseudoTerminal line;
    if (!line.ok()) {
        std::fprintf(stderr, "%s\n", line.error().c_str());
        return 1;
    }
    std::printf("%s\n", line.slavePath().c_str());
    std::fflush(stdout);
    for (;;)
        ::pause();
}
