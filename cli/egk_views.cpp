// SPDX-License-Identifier: Apache-2.0
#include "egk_views.h"

#include "console_io.h"
#include "console_text.h"
#include "egk/egk_info_data.h"

namespace kc::cli {
namespace {

constexpr int kNameWidth = 40;
constexpr int kDocumentCount = 3;

void PrintPanel(Console& console, const EgkCardPanel& panel) {
    console.data.writeLine();
    console.data.writeLine(panel.frameCaption);
    for (const PanelLabel& label : panel.labels)
        console.data.writeLine(QStringLiteral("  ") + label.caption);
}

void PrintTable(Console& console, const EgkTableView& view) {
    console.data.writeLine(WithLineFeeds(view.label1));
    console.data.writeLine(QStringLiteral("  ") + view.headerName.leftJustified(kNameWidth) +
                           view.headerValue);
    for (const ElementEntry& row : view.rows)
        console.data.writeLine(QStringLiteral("  ") + row.name.leftJustified(kNameWidth) + row.text);
    console.data.writeLine(WithLineFeeds(view.label8));
}

} // namespace

void PrintEgkInfo(Console& console, const SlotTables& tables, int slot, bool withXml) {
    PrintPanel(console, CardPanelForSlot(tables, slot));
    const EgkResults& results = tables.egk[slot];
    for (int index = 0; index < kDocumentCount; ++index)
        PrintTable(console, TableView(results, index));
    if (!withXml)
        return;
    for (int index = 0; index < kDocumentCount; ++index) {
        const EgkXmlView xml = XmlView(results, index);
        console.data.writeLine();
        console.data.writeLine(WithLineFeeds(xml.label1));
        console.data.writeLine(xml.text1);
    }
}

} // namespace kc::cli
