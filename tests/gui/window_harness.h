// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/app_state.h"
#include "gui/desktop_program.h"
#include "gui/main_window.h"
#include "presenter/dispatcher.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"

#include <QtWidgets> // the tests reach into every kind of widget
#include <functional>
#include <gtest/gtest.h>

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

// A test on the shown main window.
class ShownWindow : public ::testing::Test {
  protected:
    void SetUp() override { h.showWindow(); }
    WindowHarness h;
};

// Compares the "object name|Qt property|value" lines of a file under tests/data/ with root and its children.
void ExpectProperties(QObject& root, const QString& dataFile, std::size_t rows);

// A key pressed with no modifier, sent straight to target.
inline void PressKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

} // namespace kc::test
