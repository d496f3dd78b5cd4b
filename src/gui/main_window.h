// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/main_view.h"
#include "gui/main_window_render.h"
#include "gui/main_window_widgets.h"

#include <QMainWindow>
#include <functional>

class QDialog;

namespace kc {

struct AppState;
class Clipboard;
class Dispatcher;
class MessageBoxes;

// Form_MKT_Test: shows the model and forwards every click to the dispatcher;
// the card logic lives in the flows, not here.
class MainWindow : public QMainWindow, public MainView {
  public:
    // Runs a modal window to its end; tests answer the window from a script.
    using DialogRunner = std::function<void(QDialog&)>;
    // Asks for a file to open with a filter; empty when cancelled.
    using FileChooser = std::function<QString(const QString& filter)>;
    // Opens the terminal library chooser, as the program wires it.
    using LibraryChooser = std::function<void()>;

    MainWindow(AppState& state, MessageBoxes& boxes, Clipboard& clipboard, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setDispatcher(Dispatcher* dispatcher) { dispatcher_ = dispatcher; }
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    void setLibraryChooser(LibraryChooser chooser) { chooseLibrary_ = std::move(chooser); }
    const FileChooser& fileChooser() const { return chooseFile_; }

    const MainWindowWidgets& widgets() const { return w_; }

    // MainView
    void refresh(const MainWindowModel& model) override;
    void showScanResult(const ScanResultModel& result) override;
    void showEgkInfo(int slot) override;
    void requestClose() override { closeByProgram(); }

    // Closes the window as the program does: no question, clipboard emptied.
    void closeByProgram();

    // Menu items, as the menus call them.
    void validationClicked();
    void schemaItemClicked(int k);
    void libraryItemClicked();
    void userInformationClicked();
    void infoClicked();

    // Runs a modal window through the dialog runner.
    void runDialog(QDialog& dialog);

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectControls();
    void pressButton(int index);

    AppState& state_;
    MessageBoxes& boxes_;
    Clipboard& clipboard_;
    Dispatcher* dispatcher_ = nullptr;
    MainWindowWidgets w_;
    MainWindowRenderer renderer_;
    DialogRunner runDialog_;
    FileChooser chooseFile_;
    LibraryChooser chooseLibrary_;
    bool closingByProgram_ = false;
};

// The classic filter "Name (pattern)|pattern" as the desktop's file dialog takes it.
QString DesktopFileFilter(const QString& classicFilter);

} // namespace kc
