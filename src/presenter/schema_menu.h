// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "egk/schema_texts.h"

#include <QString>

namespace kc {

struct AppState;
class MessageBoxes;

// The click on "&Validierung": switches validation off, or on when the
// parser with schema support can be created, and otherwise says why not.
// "&Neues Schema laden" follows the switch. Returns whether it is on now.
bool ClickValidationItem(AppState& state, MessageBoxes& boxes, SchemaSupport (*probe)() = ProbeSchemaSupport);

// Schema item k of "&Neues Schema laden": replaces schema text k with the
// text of the chosen file. An empty chosenFile is a cancelled dialog and
// changes nothing.
void ReplaceSchemaText(AppState& state, int k, const QString& chosenFile);

} // namespace kc
