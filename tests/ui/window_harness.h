#pragma once

#include "base/app_state.h"
#include "gui/desktop_program.h"
#include "gui/main_window.h"
#include "presenter/dispatcher.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"

#include <QDialog>
#include <QStringList>
#include <functional>

namespace kc::test {

// The desktop program on the simulator, with scripted boxes, a recorded
// clipboard and modal windows handed to the test instead of waiting for a
// person. Unless a test says otherwise the first activation starts no scan.
class WindowHarness {
  public:
    // desktopClipboard: the window works on the real clipboard, not the recorded one.
    explicit WindowHarness(bool desktopClipboard = false);

    // Shows the main window as the start-up does, without the first-use window.
    void showWindow();

    MainWindow& window() { return program.window(); }
    const MainWindowWidgets& w() { return program.window().widgets(); }
    AppState& state() { return program.state(); }
    void refresh() { window().refresh(state().ui); }

    // Every modal window goes here; the default closes it at once.
    std::function<void(QDialog&)> onDialog;
    QStringList dialogsShown;

    SimHarness sim;
    ScriptedSerialLine line; // no devices: a machine without serial ports
    DesktopProgram program;
};

} // namespace kc::test
