#include "window_harness.h"

#include <QApplication>

namespace kc::test {

WindowHarness::WindowHarness(bool desktopClipboard)
    : program(DesktopParts{&sim.provider, &sim.boxes, desktopClipboard ? nullptr : &sim.clipboard, &line,
                           [this](int status) { sim.fatalExits.push_back(status); }}) {
    // The simulator's built-in desk: an eGK terminal on USB device 1.
    sim.api.setSimulator(sim::Simulator::builtIn());
    program.state().AutoScanPending = false;
    program.window().setDialogRunner([this](QDialog& dialog) {
        dialogsShown.append(dialog.objectName());
        if (onDialog)
            onDialog(dialog);
    });
}

void WindowHarness::showWindow() {
    window().show();
    QApplication::processEvents();
}

} // namespace kc::test
