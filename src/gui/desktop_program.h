// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace kc {

struct AppState;
class Clipboard;
class CtApiProvider;
class Dispatcher;
class MainWindow;
class MessageBoxes;
class SerialLine;
class TerminalSession;

// Pieces a caller may put in place of the desktop's own: the benchmark and
// the tests use the simulator, scripted boxes and their own clipboard.
struct DesktopParts {
    CtApiProvider* provider = nullptr; // default: the terminal library next to the program, in its helper
    MessageBoxes* boxes = nullptr;     // default: the desktop's message boxes
    Clipboard* clipboard = nullptr;    // default: the desktop clipboard
    SerialLine* line = nullptr;        // default: the serial ports
    // The end of the program after a terminal library fault; default std::exit.
    std::function<void(int status)> fatalExit;
};

// The whole desktop program: state, terminal session, dispatcher and the
// main window, wired together for the length of a run.
class DesktopProgram {
  public:
    explicit DesktopProgram(DesktopParts parts = {});
    ~DesktopProgram();
    DesktopProgram(const DesktopProgram&) = delete;
    DesktopProgram& operator=(const DesktopProgram&) = delete;

    // Start-up: the schema texts from folder and the first-use window. When
    // the person declines it the window is closed and false comes back;
    // otherwise the main window is shown.
    bool start(const QString& schemaFolder);

    // The library chooser over the main window: the choice goes to the
    // settings file and is used from the next terminal function on. False
    // when the person cancels.
    bool chooseLibrary();
    // The library from now on: a fresh helper, the status line and the title say so.
    void useLibrary(const QString& file);

    AppState& state();
    MainWindow& window();
    Dispatcher& dispatcher();
    TerminalSession& session();
    MessageBoxes& boxes();
    Clipboard& clipboard();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace kc
