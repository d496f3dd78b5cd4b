// SPDX-License-Identifier: Apache-2.0
#include "gui/main_window.h"

#include "base/app_state.h"
#include "gui/arrow_while_open.h"
#include "gui/egk_info_window.h"
#include "gui/main_window_builder.h"
#include "gui/scan_result_window.h"
#include "presenter/dispatcher.h"
#include "presenter/exit_rules.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QTimer>

namespace kc {

QString DesktopFileFilter(const QString& classicFilter) {
    return classicFilter.section(QLatin1Char('|'), 0, 0);
}

MainWindow::MainWindow(AppState& state, MessageBoxes& boxes, Clipboard& clipboard, QWidget* parent)
    : QMainWindow(parent), state_(state), boxes_(boxes), clipboard_(clipboard), w_(BuildMainWindow(*this)),
      renderer_(w_), runDialog_([](QDialog& dialog) {
          const ArrowWhileOpen arrow;
          dialog.exec();
      }),
      chooseFile_([this](const QString& filter) {
          return QFileDialog::getOpenFileName(this, QString(), QString(), filter);
      }) {
    connectControls();
    refresh(state_.ui);
}

MainWindow::~MainWindow() = default;

void MainWindow::refresh(const MainWindowModel& model) {
    if (windowTitle() != model.windowTitle)
        setWindowTitle(model.windowTitle);
    renderer_.render(model, state_.ValidationEnabled);
}

void MainWindow::runDialog(QDialog& dialog) {
    runDialog_(dialog);
}

void MainWindow::showScanResult(const ScanResultModel& result) {
    ScanResultWindow window(result, this);
    runDialog(window);
}

void MainWindow::showEgkInfo(int slot) {
    EgkInfoWindow window(state_.tables, slot, boxes_, this);
    runDialog(window);
}

void MainWindow::closeByProgram() {
    closingByProgram_ = true;
    close();
    closingByProgram_ = false;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && state_.AutoScanPending) {
        state_.AutoScanPending = false;
        // Let the window finish painting before the scan takes over.
        QTimer::singleShot(0, this, [this] { pressButton(0); });
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const bool deferred = dispatcher_ && dispatcher_->deferCloseWhileRunning();
    const CloseReason reason = closingByProgram_ ? CloseReason::Program : CloseReason::User;
    if (!deferred && ConfirmExit(state_, reason, boxes_, clipboard_))
        event->accept();
    else
        event->ignore();
}

void MainWindow::pressButton(int index) {
    if (dispatcher_)
        dispatcher_->PressCommandButton(index);
    refresh(state_.ui);
}

} // namespace kc
