// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/slot_tables.h"

#include <QString>
#include <array>

namespace kc {

class Clipboard;

constexpr int kCardRows = 18;
constexpr int kStatusRows = 8;

// What the card data frame (Fram_Show 3) shows: frame caption, 18 caption and
// value labels, the handheld rows 16 and 17 and the eGK info button.
struct CardDataView {
    QString frameCaption = QStringLiteral("Krankenversicherten Kartendaten");
    std::array<QString, kCardRows> captions = designCaptions();
    std::array<QString, kCardRows> values;
    bool mobileRowsVisible = false;
    bool egkButtonVisible = false;

    static std::array<QString, kCardRows> designCaptions();
};

// The eight value labels of one status page, top to bottom.
struct StatusPage {
    std::array<QString, kStatusRows> values;
};
using StatusPages = SlotArray<StatusPage>;

// Captions of the status page rows; slot 5 says "Schnittstelle:" in row 1.
QString StatusCaption(int slot, int row);

void ShowInsuredRecord(const SlotTables& tables, int slot, CardDataView& view);
void ShowTerminalStatus(const SlotTables& tables, int slot, StatusPages& pages);
void ResetSlotDisplay(SlotTables& tables, int slot, CardDataView& view);

// Values only, one field per line, each ended by CR LF; 18 lines for a handheld.
QString InsuredRecordClipboardText(const SlotTables& tables, int slot);
void CopyInsuredRecord(const SlotTables& tables, int slot, Clipboard& clipboard);

} // namespace kc
