// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

class QWidget;

namespace kc {

// What assistive tools are told a widget is, where Qt's own reading of the
// widget does not fit the window.
enum class AccessibleKind {
    ReadOnlyValue, // a label that shows a value: its name from its caption, its words as value
    PortOption,    // an option that the program alone keeps exclusive: a radio button
    ToolBar,       // a tool bar whose children marked hidden are left out
};

// Reads the widget as that kind from now on. A widget whose reading assistive
// tools already asked for is read anew.
void SetAccessibleKind(QWidget& widget, AccessibleKind kind);

// Leaves the widget out of its ToolBar parent's accessible children.
void HideFromAccessibility(QWidget& widget);

// The value of a ReadOnlyValue widget; assistive tools are told of a change.
void SetAccessibleValueText(QWidget& widget, const QString& value);

} // namespace kc
