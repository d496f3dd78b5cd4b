// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/slot_tables.h"
#include "console_boxes.h"

#include <vector>

namespace kc::cli {

// What the program's exit status tells a script.
constexpr int kStatusComplete = 0;   // card data read, every eGK document loaded
constexpr int kStatusNoCardData = 1; // no terminal, no card, declined
constexpr int kStatusFatal = 2;      // the terminal library cannot be used
constexpr int kStatusIncomplete = 3; // card data read, a document or its validation failed
constexpr int kStatusEnded = 4;      // ended by the person or by the end of input at a question
constexpr int kStatusUsage = 64;     // a wrong call

// An eGK document counts as loaded when it was mapped onto the fields, which
// with validation on happens only after it passed. index: 0 PD, 1 VD, 2 GVD.
bool DocumentLoaded(const EgkResults& results, int index);

// Card data on a slot with every document loaded (a KVK has none to load).
// A GVD the card protects by PIN is read as far as any program without the
// PIN can read it.
bool CardDataComplete(const SlotTables& tables, int slot);

// 0, 1 or 3 for the card data of the given slots: 3 as soon as one slot's
// data are incomplete, 0 when some slot has data, 1 when none has.
int CardDataStatus(const SlotTables& tables, const std::vector<int>& slotsToCheck);

// 0 when a terminal answered on the slot, 1 otherwise.
int TerminalStatus(const SlotTables& tables, int slot);

// A run that ended early says so, whatever it read before.
int StatusAfterRun(int status, RunEnd end);

} // namespace kc::cli
