// SPDX-License-Identifier: Apache-2.0
// Holds a pseudo-terminal open as a serial port nobody answers on: prints the
// device path, then keeps the line until it is ended.
#define _XOPEN_SOURCE 600
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

int main(void) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return 1;
    printf("%s\n", ptsname(master));
    fflush(stdout);
    for (;;)
        pause();
}
