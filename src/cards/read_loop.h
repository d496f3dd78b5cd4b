// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/message_boxes.h"
#include "base/read_result.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace kc {

struct Context;

// How the insert-card prompt names the port: " COM  3",
// " USB Device 1 (CTAPI pn=8192)", " ?  (CTAPI pn=300)".
QString InterfaceTextOfPort(uint16_t pn);

// The insert-card prompt: OK/Cancel, exclamation, Cancel as default. The
// suffix names the port (the interface text, or what the diagnosis uses).
MsgAnswer ShowInsertCardPrompt(MessageBoxes& boxes, bool mobile, const QString& suffix);

// Checks for a card, asks for one if needed, reads and shows the slot's
// status page, and again while the person asks to try again. afterPrompt runs
// after each prompt decision (the progress step of the read button). Returns
// the last read result, or Failed when the prompt was cancelled.
ReadResult RunReadLoop(Context& ctx, uint16_t pn, int slot, const QString& suffix,
                       const std::function<void()>& afterPrompt = {});

} // namespace kc
