// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "gui/main_window_widgets.h"

#include <QString>

namespace kc {

// Paints the model onto the controls. Signals are blocked while the program
// sets option, tab and list, so only the person's clicks reach the handlers.
class MainWindowRenderer {
  public:
    explicit MainWindowRenderer(MainWindowWidgets& widgets) : w_(widgets) {}
    ~MainWindowRenderer();
    MainWindowRenderer(const MainWindowRenderer&) = delete;
    MainWindowRenderer& operator=(const MainWindowRenderer&) = delete;

    // validationOn is the program's one validation switch, kept beside the model.
    void render(const MainWindowModel& model, bool validationOn);

  private:
    void renderCommands(const MainWindowModel& model, bool validationOn);
    void renderPorts(const MainWindowModel& model);
    void renderStatusTab(const MainWindowModel& model);
    void renderCardData(const CardDataView& card);
    void renderStatusBar(const MainWindowModel& model);
    void renderBusy(bool busy);

    MainWindowWidgets& w_;
    bool busyShown_ = false;
};

// What a label shows for a caption that marks accelerators the classic way:
// "&&" is one ampersand, a single "&" only underlines and is not shown.
QString ShownLabelText(const QString& caption);

// Background of an indicator lamp.
QString LampStyle(LampColor color);

} // namespace kc
