#pragma once

#include "base/app_state.h"
#include "discovery/serial_line.h"
#include "gui/desktop_program.h"
#include "gui/main_window.h"
#include "presenter/dispatcher.h"
#include "sim_harness.h"

#include <QDialog>
#include <QStringList>
#include <functional>

namespace kc::test {

// A machine without serial ports: every COM port is unknown to the system.
class NoSerialPorts : public SerialLine {
  public:
    bool open(uint16_t) override { return fail(); }
    bool isOpen() const override { return false; }
    void close() override {}
    bool setSettings(const QString&) override { return fail(); }
    bool setDtr(bool) override { return fail(); }
    bool setRts(bool) override { return fail(); }
    bool dsr(bool&) override { return fail(); }
    bool send(const QByteArray&) override { return fail(); }
    int receivedCount() override { return 0; }
    QByteArray receive(int) override { return {}; }
    bool clearReceiveBuffer() override { return fail(); }
    bool clearSendBuffer() override { return fail(); }
    int errorNumber() const override { return kSerialInvalidPort; }

  private:
    static bool fail() { return false; }
};

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
    NoSerialPorts line;
    DesktopProgram program;
};

} // namespace kc::test
