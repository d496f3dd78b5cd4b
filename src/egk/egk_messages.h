// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/message_boxes.h"
#include "base/read_result.h"
#include "base/slot_tables.h"

#include <QByteArray>
#include <cstdint>

#include <QString>

namespace kc {

struct Context;

// The eGK readers' boxes: OK, information icon, " KartoCheck ".
void ShowEgkMessage(MessageBoxes& boxes, const QString& text);

// A message as the readers show it: followed by one CR LF, or (a block) by two.
QString EgkLine(const QString& text);
QString EgkBlock(const QString& text);

QString NoHealthApplicationText();

// SELECT of the health application DF.HCA, as both readers judge it.
enum class HcaSelection { TransportFailed, Selected, Missing, Deactivated, Refused };
[[nodiscard]] HcaSelection SelectHealthApplication(Context& ctx);

// The message of a selection that did not reach DF.HCA (none for Selected).
QString HcaSelectionMessage(HcaSelection selection);

// Loads one compressed document (LoadVdDocument and its siblings).
using DocumentLoader = ReadResult (*)(Context&, const QByteArray&, EgkFieldBuffer&, int);

// What a failed load says, by document name ("VD", "PD", "GVD"); empty for Done.
QString LoadFailureMessage(const QString& document, ReadResult result);

} // namespace kc
