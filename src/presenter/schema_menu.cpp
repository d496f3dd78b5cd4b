// SPDX-License-Identifier: Apache-2.0
#include "presenter/schema_menu.h"

#include "base/app_state.h"
#include "base/message_boxes.h"

namespace kc {
namespace {

bool SwitchValidation(AppState& state, MessageBoxes& boxes, SchemaSupport (*probe)()) {
    if (state.ValidationEnabled) {
        state.ValidationEnabled = false;
        return false;
    }
    const SchemaSupport support = probe();
    switch (support.state) {
    case SchemaSupport::State::Available:
        state.ValidationEnabled = true;
        break;
    case SchemaSupport::State::NotInstalled:
        boxes.inform(
            QStringLiteral("Für eine lokale Validierung muss MSXML 4.0 SP2 (Microsoft XML Basisdienste) ") +
                kCrLf + QStringLiteral("auf Ihrem System installiert sein! ") + kCrLf + kCrLf,
            MsgIcon::Information);
        break;
    case SchemaSupport::State::Failed:
        boxes.inform(support.error.description + QString::number(support.error.code, 16).toUpper(),
                     MsgIcon::Critical);
        break;
    }
    return state.ValidationEnabled;
}

} // namespace

bool ClickValidationItem(AppState& state, MessageBoxes& boxes, SchemaSupport (*probe)()) {
    state.ui.newSchemaItemEnabled = SwitchValidation(state, boxes, probe);
    return state.ValidationEnabled;
}

void ReplaceSchemaText(AppState& state, int k, const QString& chosenFile) {
    if (chosenFile.isEmpty() || k < 0 || k >= int(kSchemaFileNames.size()))
        return;
    SchemaText(state, k) = SchemaTextFromFile(chosenFile);
}

} // namespace kc
