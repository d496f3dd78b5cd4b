// SPDX-License-Identifier: Apache-2.0
#include "console_status.h"

#include "console_io.h"

#include <chrono>
#include <thread>

namespace kc::cli {

void ConsoleStatusLine::showStatus(const QString& text) {
    if (quiet_ || text == shown_)
        return;
    shown_ = text;
    console_.messages.writeLine(QStringLiteral("Status: ") + text);
}

void ConsoleEventPump::wait(WaitTimer timer) {
    std::this_thread::sleep_for(std::chrono::milliseconds(WaitMilliseconds(timer)));
}

} // namespace kc::cli
