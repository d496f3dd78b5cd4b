#pragma once

#include "base/clipboard.h"
#include "base/main_view.h"

namespace kc::cli {

class Console;

// The main window's presenter output on the console: the result window is
// printed when it opens; the model itself is printed by the commands at the
// end, and a deferred close has nothing to end.
class ConsoleMainView : public MainView {
public:
    explicit ConsoleMainView(Console& console) : console_(console) {}
    void refresh(const MainWindowModel&) override {}
    void showScanResult(const ScanResultModel& result) override;
    void showEgkInfo(int) override {}
    void requestClose() override {}

private:
    Console& console_;
};

// The console has no clipboard to fill; nothing here copies anyway.
class NoClipboard : public Clipboard {
public:
    void clear() override {}
    void setText(const QString&) override {}
};

} // namespace kc::cli
