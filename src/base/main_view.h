// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc {

struct MainWindowModel;
struct ScanResultModel;

// What the dispatcher needs from a front-end besides the model it writes:
// the window repaints from the model, shows the two modal windows of the
// actions and ends the program when a deferred close comes due. The console
// prints instead and ignores the close.
class MainView {
  public:
    virtual ~MainView() = default;
    // Repaint everything from the model (status line, frames, tabs, lamps ...).
    virtual void refresh(const MainWindowModel& model) = 0;
    // The scan result window, modal; returns when the person closed it.
    virtual void showScanResult(const ScanResultModel& result) = 0;
    // The eGK information window for a slot, modal.
    virtual void showEgkInfo(int slot) = 0;
    // A close asked for during an action is due now: end the program.
    virtual void requestClose() = 0;
};

} // namespace kc
