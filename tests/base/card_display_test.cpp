// SPDX-License-Identifier: Apache-2.0
#include "base/card_display.h"
#include "data_rows.h"
#include "fake_ui.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

class CardDisplayTest : public ::testing::Test {
  protected:
    void fill(int slot) {
        for (int field = 0; field < kInsuredFieldCount; ++field)
            tables.insured[slot][std::size_t(field)] = QStringLiteral("F%1").arg(field);
    }

    SlotTables tables;
    CardDataView view;
    test::FakeClipboard clipboard;
};

TEST_F(CardDisplayTest, AmpersandShownOnceAndCopiedOnce) {
    fill(1);
    tables.insured[1][Krankenkassenname] = QStringLiteral("Kasse & Co");
    ShowInsuredRecord(tables, 1, view);
    EXPECT_EQ(view.values[0], "Kasse && Co");
    EXPECT_EQ(view.values[15], QStringLiteral("F15")); // the last row of every card
    EXPECT_TRUE(InsuredRecordClipboardText(tables, 1).startsWith(QStringLiteral("Kasse & Co\r\n")));
}

// One kind of card a line in tests/data/base/card_captions.txt.
TEST_F(CardDisplayTest, CaptionsFollowTheKindOfCard) {
    const auto rows = test::DataRows("base/card_captions.txt");
    ASSERT_EQ(rows.size(), 4u);
    for (const QStringList& c : rows) {
        tables.terminal[2].IsEgk = c[0] == QLatin1String("1");
        tables.terminal[2].IsMobile = c[1] == QLatin1String("1");
        ShowInsuredRecord(tables, 2, view);
        EXPECT_EQ(QStringList({c[0], c[1], view.frameCaption, view.captions[3], view.captions[4],
                               view.captions[5], view.captions[15]}),
                  c);
        EXPECT_EQ(view.egkButtonVisible, tables.terminal[2].IsEgk);
        EXPECT_EQ(view.mobileRowsVisible, tables.terminal[2].IsMobile);
    }
}

TEST_F(CardDisplayTest, HandheldCopiesEighteenLines) {
    fill(5);
    tables.insured[5][Einlesedatum] = QStringLiteral("A&B");
    tables.terminal[5].IsMobile = true;
    ShowInsuredRecord(tables, 5, view);
    EXPECT_EQ(QStringList({view.values[16], view.values[17], view.captions[16]}),
              QStringList({"A&B", "F18", "Einlesedatum:"}));
    CopyInsuredRecord(tables, 5, clipboard);
    EXPECT_EQ(clipboard.clears, 1);
    EXPECT_TRUE(clipboard.text.endsWith("\r\nF14\r\nF15\r\nA&B\r\nF18\r\n"));
    EXPECT_EQ(clipboard.text.count("\r\n"), 18);
}

TEST_F(CardDisplayTest, ResetThenCopyGivesSixteenEmptyLines) {
    fill(3);
    tables.terminal[3].HasCardData = true;
    ShowInsuredRecord(tables, 3, view);
    ResetSlotDisplay(tables, 3, view);
    EXPECT_FALSE(tables.terminal[3].HasCardData);
    EXPECT_TRUE(view.values[0].isEmpty());
    EXPECT_EQ(InsuredRecordClipboardText(tables, 3), QString(QStringLiteral("\r\n")).repeated(16));
}

TEST_F(CardDisplayTest, ResetOfAnEgkSlotClearsItsDocumentsButKeepsValidationTexts) {
    tables.terminal[4].IsEgk = true;
    EgkResults& egk = tables.egk[4];
    egk.PdElementList[0] = {QStringLiteral("Vorname"), QStringLiteral("Max")};
    egk.GvdElementList[20] = {QStringLiteral("X"), QStringLiteral("Y")};
    egk.FirstAddress.street = QStringLiteral("Weg");
    egk.EgkXmlText[DocIndex(DocKind::Vd)] = QStringLiteral("<VD/>");
    egk.EgkValidationText[DocIndex(DocKind::Vd)] = QStringLiteral("kept");
    view.egkButtonVisible = true;
    ResetSlotDisplay(tables, 4, view);
    EXPECT_FALSE(tables.terminal[4].IsEgk || view.egkButtonVisible);
    EXPECT_EQ(egk.PdElementList[0].name + egk.GvdElementList[20].name + egk.FirstAddress.street +
                  egk.EgkXmlText[DocIndex(DocKind::Vd)],
              "");
    EXPECT_EQ(egk.EgkValidationText[DocIndex(DocKind::Vd)], "kept");
}

TEST_F(CardDisplayTest, StatusPageShowsTheSlotsValuesUnderItsCaptions) {
    tables.port[5].InterfaceText = QStringLiteral("USB (CTAPI pn=8192)");
    tables.terminal[5].CtType = QStringLiteral("QMT3");
    StatusPages pages;
    ShowTerminalStatus(tables, 5, pages);
    EXPECT_EQ(pages[5].values[4], "QMT3 ");
    EXPECT_TRUE(pages[1].values[0].isEmpty());
    EXPECT_EQ(StatusCaption(5, 0), "Schnittstelle:");
    EXPECT_EQ(StatusCaption(1, 0), "Serielle Schnittstelle:");
}

} // namespace
} // namespace kc
