// SPDX-License-Identifier: Apache-2.0
#include "interrupt_request.h"

#include <unistd.h>

namespace kc::cli {
namespace {

volatile std::sig_atomic_t gRequested = 0;

void OnInterrupt(int) {
    gRequested = 1;
    static const char kNotice[] =
        "\nAbbruch: der laufende Vorgang wird beendet (Strg+C noch einmal beendet sofort).\n";
    // Only write() may be used here; whether it succeeds changes nothing.
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kNotice, sizeof kNotice - 1);
}

} // namespace

InterruptRequest::InterruptRequest() {
    gRequested = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a prompt waiting for its answer returns at once.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, &previous_);
}

InterruptRequest::~InterruptRequest() {
    sigaction(SIGINT, &previous_, nullptr);
}

bool InterruptRequest::requested() {
    return gRequested != 0;
}

} // namespace kc::cli
