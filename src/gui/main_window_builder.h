// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "gui/main_window_widgets.h"

#include <QString>

class QMainWindow;
class QMenuBar;

namespace kc {

// Creates every control of Form_MKT_Test with its name, caption, tool tip
// and design-time state, and lays them out in the window.
MainWindowWidgets BuildMainWindow(QMainWindow& window);

// The "&Datei" and "&?" menus.
MenuWidgets BuildMenus(QMenuBar& bar);

// objectName of the value label of a status page row: pages 4 and 5 share
// Labe_FramTab3, page 5 counting down from 15.
QString StatusValueName(int page, int row);

// Tool tips of the six command buttons.
QString CommandButtonToolTip(int index);

} // namespace kc
