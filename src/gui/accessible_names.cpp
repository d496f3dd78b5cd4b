// SPDX-License-Identifier: Apache-2.0
#include "gui/accessible_names.h"

#include "gui/accessible_interfaces.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace kc {

QString LampAccessibleValue(LampColor color) {
    return color == LampColor::Neutral ? QStringLiteral("aus") : QStringLiteral("an");
}

void ShowValueText(QLabel& label, const QString& shown) {
    label.setText(shown);
    SetAccessibleValueText(label, shown.trimmed());
}

void ShowLampValue(QLabel& lamp, LampColor color) {
    SetAccessibleValueText(lamp, LampAccessibleValue(color));
}

void ApplyAccessibleNames(MainWindowWidgets& w) {
    SetAccessibleKind(*w.toolbar, AccessibleKind::ToolBar);
    for (QToolButton* button : w.buttons)
        button->setAccessibleName(button->toolTip());
    for (QToolButton* filler : w.fillers)
        HideFromAccessibility(*filler);
    for (std::size_t i = 0; i < w.options.size(); ++i) {
        w.options[i]->setAccessibleName(w.optionLabels[i]->text().trimmed());
        SetAccessibleKind(*w.options[i], AccessibleKind::PortOption);
    }
    for (QLabel* lamp : w.lamps) {
        SetAccessibleKind(*lamp, AccessibleKind::ReadOnlyValue);
        ShowLampValue(*lamp, LampColor::Neutral);
    }
    for (StatusPageWidgets& page : w.pages) {
        for (QLabel* value : page.values) {
            SetAccessibleKind(*value, AccessibleKind::ReadOnlyValue);
            ShowValueText(*value, value->text());
        }
    }
    for (CardRowWidgets& row : w.cardRows) {
        SetAccessibleKind(*row.value, AccessibleKind::ReadOnlyValue);
        ShowValueText(*row.value, row.value->text());
    }
}

} // namespace kc
