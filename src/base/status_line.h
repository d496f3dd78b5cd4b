// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// Panel 2 of the status bar, the progress bar (0 to 100) and the busy pointer.
class StatusLine {
  public:
    virtual ~StatusLine() = default;
    virtual void showStatus(const QString& text) = 0;
    virtual void setProgress(int value) = 0;
    virtual void setBusy(bool busy) = 0;
};

} // namespace kc
