// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/message_boxes.h"
#include "base/slot_tables.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace kc {

// What the eGK information window shows, as texts; the window only copies them.

// Piece(x, p, n): n characters of x from character p (1-based), fewer or none when x is shorter.
QString Piece(const QString& text, int position, int count);

// One label of the card panel. No tool tip means the label keeps the one it has.
struct PanelLabel {
    QString caption;
    std::optional<QString> toolTip;
};

// Labels in this order: Label2 to Label7, then Label9 to Label14.
constexpr int kPanelLabelCount = 12;

struct EgkCardPanel {
    QString frameCaption;    // Frame2
    QString command4Caption; // Command4
    QString command4ToolTip;
    QString label1;
    std::array<PanelLabel, kPanelLabelCount> labels;
};

EgkCardPanel StationaryCardPanel(const QString& iccSerialNumber, const QString& vsdStatus);
EgkCardPanel MobileCardPanel(const MobileVsdRecord& record);
// The panel for the slot: the card's own data, or a handheld's stored record.
EgkCardPanel CardPanelForSlot(const SlotTables& tables, int slot);

// The table view of document index (0 PD, 1 VD, 2 GVD).
constexpr int kInfoGridRows = 62;

struct EgkTableView {
    QString label1;
    QString headerName;             // cell (0, 0)
    QString headerValue;            // cell (0, 1)
    std::vector<ElementEntry> rows; // rows 1 on, entries with a name only
    QString label8;
    // Whether "&Hilfe" shows; nothing for an unknown index, which leaves it as it is.
    std::optional<bool> command6Visible;
};
EgkTableView TableView(const EgkResults& results, int index);

// The XML view of document index: the heading and the text, unchanged.
struct EgkXmlView {
    QString label1;
    QString text1;
};
EgkXmlView XmlView(const EgkResults& results, int index);

// The help behind "&Hilfe": how validation works and how to load another schema.
QString ValidationHelpText();
MessageRequest ValidationHelpMessage();

} // namespace kc
