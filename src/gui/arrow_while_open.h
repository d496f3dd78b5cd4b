// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QApplication>

namespace kc {

// While a box or a modal window waits for the person, the pointer is the
// normal arrow even when an action has set the busy pointer.
class ArrowWhileOpen {
  public:
    ArrowWhileOpen() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowWhileOpen() { QApplication::restoreOverrideCursor(); }
    ArrowWhileOpen(const ArrowWhileOpen&) = delete;
    ArrowWhileOpen& operator=(const ArrowWhileOpen&) = delete;
};

} // namespace kc
