// SPDX-License-Identifier: Apache-2.0
#include "gui/egk_info_window.h"
#include "window_harness.h"

namespace kc::test {
namespace {

class EgkInfo : public ::testing::Test {
  protected:
    void SetUp() override {
        EgkResults& egk = tables.egk[kSlot];
        egk.IccSerialNumber = QStringLiteral("80276883110000017222");
        egk.VsdStatus = QStringLiteral("3032303038303731343135323633300000000500000000000000");
        for (std::size_t i = 0; i < 10; ++i)
            egk.VdElementList[i] = {QStringLiteral("Vd%1").arg(i), QStringLiteral("Wert%1").arg(i)};
        for (std::size_t i = 0; i < 5; ++i)
            egk.GvdElementList[i] = {QStringLiteral("Gvd%1").arg(i), QStringLiteral("G%1").arg(i)};
        egk.PdElementList[0] = {QStringLiteral("Versicherten_ID"), QStringLiteral("X110000017")};
        egk.EgkXmlText[DocIndex(DocKind::Pd)] = QStringLiteral("<UC_PersoenlicheVersichertendatenXML/>");
        egk.EgkValidationText[DocIndex(DocKind::Vd)] = QStringLiteral("Validierung fehlgeschlagen");
        egk.EgkValidationWarning[DocIndex(DocKind::Vd)] = true;
        info = std::make_unique<EgkInfoWindow>(tables, kSlot, boxes);
    }

    template <typename T> T* find(const char* name) {
        T* found = info->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool shown(const char* name) { return !find<QWidget>(name)->isHidden(); }
    QString label(const char* name) { return find<QLabel>(name)->text(); }

    static constexpr int kSlot = 2;
    SlotTables tables;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<EgkInfoWindow> info;
};

// Titles, buttons and the panel as they open, from tests/data/gui/egk_info_start.txt.
TEST_F(EgkInfo, OpensOnTheCardPanelThatFollowsTheSlotKind) {
    ExpectProperties(*info, "gui/egk_info_start.txt", 4);
    for (const char* hidden : {"MSFlexGrid1", "Label8", "Text1", "Command6"})
        EXPECT_FALSE(shown(hidden)) << hidden;
    EXPECT_TRUE(shown("Frame2"));
    EXPECT_FALSE(find<QLabel>("Label11")->toolTip().isEmpty());
    tables.terminal[kSlot].IsMobile = true;
    info->showCardPanel();
    EXPECT_EQ(find<QGroupBox>("Frame2")->title() + find<QPushButton>("Command4")->text(),
              "Mobiles Kartenterminal:VSD Info");
}

TEST_F(EgkInfo, TableOfVdThenXmlOfPdThenGvdLeavesNoStaleRows) {
    EXPECT_EQ(info->gridRows(), 62);
    info->showTable(1);
    EXPECT_TRUE(shown("MSFlexGrid1") && !shown("Frame2"));
    EXPECT_EQ(label("Label1"), "\nAllgemeine Versicherungsdaten:");
    EXPECT_EQ(QStringList({info->cell(0, 0), info->cell(0, 1), info->cell(10, 0), info->cell(10, 1)}),
              QStringList({"Elementnamen", "Versicherungsdaten", "Vd9", "Wert9"}));
    const auto* grid = find<QTableWidget>("MSFlexGrid1");
    EXPECT_GT(grid->columnWidth(0), grid->columnWidth(1)); // the names get the wider column

    info->showXml(0);
    EXPECT_TRUE(!shown("MSFlexGrid1") && shown("Text1"));
    EXPECT_EQ(label("Label1"), "Gelesene und dekomprimierte Daten:\nPersönliche Versichertendaten (XML)");
    EXPECT_EQ(find<QPlainTextEdit>("Text1")->toPlainText(), "<UC_PersoenlicheVersichertendatenXML/>");

    info->showTable(2);
    EXPECT_EQ(info->cell(0, 1), "Versichertendaten");
    EXPECT_EQ(QStringList({info->cell(5, 0), info->cell(5, 1), info->cell(6, 0), info->cell(10, 1)}),
              QStringList({"Gvd4", "G4", "", ""}));
}

// Only the table of a document with a validation warning has the help button.
TEST_F(EgkInfo, HelpButtonOnlyInTheTableOfADocumentWithWarning) {
    info->showTable(1);
    EXPECT_EQ(shown("Label8") ? label("Label8") : QString(), "Validierung fehlgeschlagen");
    for (auto step : {+[](EgkInfoWindow& w) { w.showXml(1); }, +[](EgkInfoWindow& w) { w.showCardPanel(); },
                      +[](EgkInfoWindow& w) { w.showTable(0); }}) {
        info->showTable(1);
        ASSERT_TRUE(shown("Command6"));
        step(*info);
        EXPECT_FALSE(shown("Command6"));
    }
    info->show();
    PressKey(info.get(), Qt::Key_Return);
    EXPECT_FALSE(info->isVisible());
    EXPECT_EQ(info->cell(1, 0), "Versicherten_ID");
    info->showTable(1);
    find<QPushButton>("Command6")->click();
    EXPECT_EQ(Shown(boxes.shown),
              QStringList{Box(ValidationHelpText(), MsgButtons::Ok, MsgIcon::Information)});
}

} // namespace
} // namespace kc::test
