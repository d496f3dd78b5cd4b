// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/card_display.h"
#include "base/slot_tables.h"

namespace kc::cli {

class Console;

// The card data frame as the window shows it: caption, then caption and value
// per visible row (the handheld rows only when they are visible).
void PrintCardView(Console& console, const CardDataView& view);

// The status page of a slot: its eight captions and values.
void PrintStatusPage(Console& console, const StatusPages& pages, int slot);

} // namespace kc::cli
