// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "gui/main_window_widgets.h"

#include <QString>

class QLabel;

namespace kc {

// What a screen reader hears of the main window: the tool-bar buttons named
// by their tool tips, the port options as radio buttons, the lamps and value
// labels with their captions as names, the tool bar's fill buttons left out.
// The captions are already the buddies of their values.
void ApplyAccessibleNames(MainWindowWidgets& w);

// A lamp is "an" while lit, in either colour, and "aus" when neutral.
QString LampAccessibleValue(LampColor color);

// Shows a fixed-width text in a value label; its accessible value is the text
// without the blanks that only pad it.
void ShowValueText(QLabel& label, const QString& shown);

// Tells assistive tools the lamp's state.
void ShowLampValue(QLabel& lamp, LampColor color);

} // namespace kc
