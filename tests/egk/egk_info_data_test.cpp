// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
#include "egk/egk_info_data.h"
#include "egk_test_support.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

// Status "0", timestamp 20141216101031, version 5.2.0, reserved bytes.
const QString kVsd = QStringLiteral("30323031343132313631303130333100500200000030000004");

// The expected captions, one a line in a file below tests/data/egk/texts.
void ExpectCaptions(const EgkCardPanel& panel, const char* file) {
    const QStringList expected = test::DataLines(QStringLiteral("egk/texts/") + QLatin1String(file));
    ASSERT_EQ(expected.size(), kPanelLabelCount);
    for (int i = 0; i < kPanelLabelCount; ++i)
        EXPECT_EQ(panel.labels[std::size_t(i)].caption, expected[i]) << i;
}

TEST(CardPanel, StationaryLinesPutEveryPartUnderItsDigits) {
    // Longer values than their parts: what lies beyond the last part is not shown in one.
    const EgkCardPanel panel =
        StationaryCardPanel(QStringLiteral("80276883110000017222FF"), kVsd + QStringLiteral("FF"));
    EXPECT_EQ(panel.frameCaption, QString::fromUtf8("Stationäres Kartenterminal:"));
    EXPECT_EQ(panel.command4Caption, "ICC Info");
    EXPECT_EQ(panel.command4ToolTip, "Informationen zur Chipkarte. ");
    ExpectCaptions(panel, "stationary_panel.txt");
    EXPECT_EQ(panel.labels[0].toolTip, QString());
    EXPECT_FALSE(panel.labels[6].toolTip.has_value()); // the heading keeps its tool tip
    EXPECT_EQ(panel.labels[8].toolTip,
              "Status der Versichertenstammdaten (VSD). (0x30) 0 = Keine Transaktion ist "
              "offen. (0x31) 1 = Transaktion ist offen.");
    EXPECT_EQ(panel.labels[11].toolTip, QString::fromUtf8("Reserviert [BINÄR]"));
}

TEST(CardPanel, ShortOrMissingValuesLeaveTheirPartsEmpty) {
    ExpectCaptions(StationaryCardPanel(QStringLiteral("8027688311"), QString()), "short_panel.txt");
}

class PieceCase : public ::testing::TestWithParam<QStringList> {};

TEST_P(PieceCase, IsCutFromTheValue) {
    const QStringList& c = GetParam();
    EXPECT_EQ(Piece(QStringLiteral("abc"), c[1].toInt(), c[2].toInt()), c[3]);
}

INSTANTIATE_TEST_SUITE_P(CardPanel, PieceCase, ::testing::ValuesIn(test::CaseRows("egk/pieces.txt")),
                         test::FirstCellName());

TEST(CardPanel, MobileLinesShowTheStoredRecord) {
    SlotTables tables;
    tables.terminal[2].IsMobile = true;
    MobileVsdRecord& r = tables.egk[2].MobileVsd;
    r[StatusValue] = kVsd + QStringLiteral("FF");
    r[ReadDateValue] = QStringLiteral("3230313230333135");
    r[ReadDateText] = QStringLiteral("15.03.2012");
    r[ApprovalValue] = QStringLiteral("4142");
    r[ApprovalText] = QStringLiteral("AB");
    r[ChecksumValue] = QStringLiteral("5C");
    const EgkCardPanel panel = CardPanelForSlot(tables, 2);
    EXPECT_EQ(panel.frameCaption, "Mobiles Kartenterminal:");
    EXPECT_EQ(panel.command4Caption, "VSD Info");
    EXPECT_EQ(panel.command4ToolTip, "Informationen zum gespeicherten VSD-Status. ");
    ExpectCaptions(panel, "mobile_panel.txt");
    EXPECT_FALSE(panel.labels[0].toolTip.has_value());
    EXPECT_EQ(panel.labels[5].toolTip, QString::fromUtf8("Reserviert [BINÄR]"));

    tables.terminal[2].IsMobile = false;
    EXPECT_EQ(CardPanelForSlot(tables, 2).command4Caption, "ICC Info");
}

// A table view as texts: headings, "name=text" rows, the result and whether "&Hilfe" shows (1/0, "-": left).
QStringList Texts(const EgkTableView& view) {
    QStringList texts{view.label1, view.headerName, view.headerValue};
    for (const ElementEntry& row : view.rows)
        texts << row.name + QLatin1Char('=') + row.text;
    const std::optional<bool> help = view.command6Visible;
    return texts << view.label8 << (help ? QString::number(*help) : QStringLiteral("-"));
}

TEST(TableView, SkipsUnnamedEntriesAndShowsTheValidationResult) {
    EgkResults results;
    results.GvdElementList[0] = {QStringLiteral("Status"), QStringLiteral("1")};
    results.GvdElementList[1] = {QString(), QStringLiteral("Text ohne Namen")};
    results.GvdElementList[2] = {QStringLiteral("Gueltig_bis"), QStringLiteral("20091231")};
    results.EgkValidationText[DocIndex(DocKind::Gvd)] = QStringLiteral("Ergebnis");
    results.EgkValidationWarning[DocIndex(DocKind::Gvd)] = true;
    EXPECT_EQ(Texts(TableView(results, 2)),
              QStringList({QString::fromUtf8("\r\nGeschützte Versichertendaten:"), "Elementnamen",
                           "Versichertendaten", "Status=1", "Gueltig_bis=20091231", "Ergebnis", "1"}));
    EXPECT_EQ(Texts(TableView(results, 1)), QStringList({"\r\nAllgemeine Versicherungsdaten:", "Elementnamen",
                                                         "Versicherungsdaten", "", "0"}));
}

TEST(XmlView, ShowsTheDocumentTextUnchanged) {
    EgkResults results;
    results.EgkXmlText[DocIndex(DocKind::Pd)] = QStringLiteral("<a/>\r\n");
    const EgkXmlView pd = XmlView(results, 0);
    EXPECT_EQ(pd.label1,
              QString::fromUtf8("Gelesene und dekomprimierte Daten:\r\nPersönliche Versichertendaten (XML)"));
    EXPECT_EQ(pd.text1, "<a/>\r\n");
    EXPECT_EQ(XmlView(results, 1).text1, "");
    for (const int outside : {-1, 3}) {
        EXPECT_EQ(XmlView(results, outside).label1, "") << outside;
        EXPECT_EQ(Texts(TableView(results, outside)), QStringList({"", "Elementnamen", "", "", "-"}))
            << outside;
    }
}

TEST(ValidationHelp, SixteenLinesEachEndedByCrLfAndOneMore) {
    const QString text = QString::fromUtf8(test::EgkTestFile(QStringLiteral("texts/validation_help.txt")));
    EXPECT_EQ(test::Shown({ValidationHelpMessage()}),
              QStringList{test::Box(QString(text).replace(QLatin1Char('\n'), QLatin1String("\r\n")),
                                    MsgButtons::Ok, MsgIcon::Information)});
}

} // namespace
} // namespace kc
