// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "gui/main_window_widgets.h"

#include <QString>

class QMainWindow;
class QMenuBar;

namespace kc {

// Creates every control of Form_MKT_Test with its name, caption and tool tip,
// and lays them out in the window. What the model decides (enabled, visible)
// the window's first render sets.
MainWindowWidgets BuildMainWindow(QMainWindow& window);

// The "&Datei" and "&?" menus.
MenuWidgets BuildMenus(QMenuBar& bar);

// objectName of the value label of a status page row: pages 4 and 5 share
// Labe_FramTab3, page 5 counting down from 15.
QString StatusValueName(int page, int row);

} // namespace kc
