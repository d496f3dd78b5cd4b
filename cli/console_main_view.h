// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/clipboard.h"
#include "base/main_view.h"
#include "presenter/scan_result.h"

#include <optional>

namespace kc::cli {

class Console;

// The main window's presenter output on the console: the result window is
// kept and, unless the run reports in JSON, printed when it opens; the model
// itself is printed by the commands at the end, and a deferred close has
// nothing to end.
class ConsoleMainView : public MainView {
  public:
    ConsoleMainView(Console& console, bool print) : console_(console), print_(print) {}
    void refresh(const MainWindowModel&) override {}
    void showScanResult(const ScanResultModel& result) override;
    void showEgkInfo(int) override {}
    void requestClose() override {}

    const std::optional<ScanResultModel>& scanResult() const { return scanResult_; }

  private:
    Console& console_;
    bool print_;
    std::optional<ScanResultModel> scanResult_;
};

// The console has no clipboard to fill; nothing here copies anyway.
class NoClipboard : public Clipboard {
  public:
    void clear() override {}
    void setText(const QString&) override {}
};

} // namespace kc::cli
