// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "console_io.h"
#include "console_main_view.h"
#include "discovery/qt_serial_line.h"
#include "explaining_serial_line.h"
#include "presenter/dispatcher.h"

namespace kc::cli {

// The window's dispatcher with what the console gives it: a view that keeps
// (and prints, unless told not to) the result window, no clipboard, and the
// serial line that explains a COM port it cannot open.
struct ConsoleDispatcher {
    ConsoleDispatcher(Console& console, Context& ctx, bool printScanResult)
        : view(console, printScanResult), explained(serial, console),
          dispatcher(ctx, view, clipboard, explained) {}

    ConsoleMainView view;
    NoClipboard clipboard;
    QtSerialLine serial;
    ExplainingSerialLine explained;
    Dispatcher dispatcher;
};

} // namespace kc::cli
