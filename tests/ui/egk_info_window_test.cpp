#include "fake_ui.h"
#include "gui/egk_info_window.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace kc::test {
namespace {

class EgkInfo : public ::testing::Test {
  protected:
    void SetUp() override {
        EgkResults& egk = tables.egk[kSlot];
        egk.IccSerialNumber = QStringLiteral("80276883110000017222");
        egk.VsdStatus = QStringLiteral("3032303038303731343135323633300000000500000000000000");
        for (int i = 0; i < 10; ++i)
            egk.VdElementList[std::size_t(i)] = {QStringLiteral("Vd%1").arg(i),
                                                 QStringLiteral("Wert%1").arg(i)};
        for (int i = 0; i < 5; ++i)
            egk.GvdElementList[std::size_t(i)] = {QStringLiteral("Gvd%1").arg(i),
                                                  QStringLiteral("G%1").arg(i)};
        egk.PdElementList[0] = {QStringLiteral("Versicherten_ID"), QStringLiteral("X110000017")};
        egk.EgkXmlText[DocIndex(DocKind::Pd)] = QStringLiteral("<UC_PersoenlicheVersichertendatenXML/>");
        egk.EgkValidationText[DocIndex(DocKind::Vd)] = QStringLiteral("Validierung fehlgeschlagen");
        egk.EgkValidationWarning[DocIndex(DocKind::Vd)] = true;
        // Loading the window builds the card panel from the slot's data.
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

TEST_F(EgkInfo, OpensOnTheCardPanelThatFollowsTheSlotKind) {
    EXPECT_EQ(find<QGroupBox>("Frame1")->title(), "Informationen zur elektronischen Gesundkeitskarte");
    for (const char* hidden : {"MSFlexGrid1", "Label8", "Text1", "Command6"})
        EXPECT_FALSE(shown(hidden)) << hidden;
    EXPECT_TRUE(shown("Frame2"));
    EXPECT_EQ(find<QGroupBox>("Frame2")->title() + find<QPushButton>("Command4")->text(),
              "Stationäres Kartenterminal:ICC Info");
    tables.terminal[kSlot].IsMobile = true;
    info->showCardPanel();
    EXPECT_EQ(find<QGroupBox>("Frame2")->title() + find<QPushButton>("Command4")->text(),
              "Mobiles Kartenterminal:VSD Info");
}

// Where each part stands is decided on the data (egk_info_data_test); the
// window must keep it with a fixed-pitch bold font.
TEST_F(EgkInfo, PanelLinesInAFixedPitchBoldFont) {
    EXPECT_EQ(label("Label3"), "ICC Serial Number:       0x80276883110000017222");
    for (const char* name : {"Label2", "Label3", "Label7", "Label9", "Label14"}) {
        const QFont font = find<QLabel>(name)->font();
        EXPECT_TRUE(font.bold()) << name;
        const QFontMetrics metrics(font);
        EXPECT_EQ(metrics.horizontalAdvance("i"), metrics.horizontalAdvance("W")) << name;
    }
    EXPECT_TRUE(find<QLabel>("Label2")->font().underline() && find<QLabel>("Label9")->font().underline());
    EXPECT_FALSE(find<QLabel>("Label11")->toolTip().isEmpty());
}

TEST_F(EgkInfo, TableOfVdThenXmlOfPdThenGvdLeavesNoStaleRows) {
    EXPECT_EQ(info->gridRows(), 62);
    info->showTable(1);
    EXPECT_TRUE(shown("MSFlexGrid1") && !shown("Frame2"));
    EXPECT_EQ(label("Label1"), "\nAllgemeine Versicherungsdaten:");
    EXPECT_EQ(QStringList({info->cell(0, 0), info->cell(0, 1), info->cell(10, 0), info->cell(10, 1)}),
              QStringList({"Elementnamen", "Versicherungsdaten", "Vd9", "Wert9"}));

    info->showXml(0);
    EXPECT_TRUE(!shown("MSFlexGrid1") && shown("Text1"));
    EXPECT_EQ(label("Label1"), "Gelesene und dekomprimierte Daten:\nPersönliche Versichertendaten (XML)");
    EXPECT_EQ(find<QPlainTextEdit>("Text1")->toPlainText(), "<UC_PersoenlicheVersichertendatenXML/>");

    info->showTable(2);
    EXPECT_EQ(info->cell(0, 1), "Versichertendaten");
    for (int row = 1; row < 62; ++row) {
        EXPECT_EQ(info->cell(row, 0), row <= 5 ? QStringLiteral("Gvd%1").arg(row - 1) : QString()) << row;
        EXPECT_EQ(info->cell(row, 1), row <= 5 ? QStringLiteral("G%1").arg(row - 1) : QString()) << row;
    }
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
    EXPECT_EQ(info->cell(1, 0), "Versicherten_ID");
    info->showTable(1);
    find<QPushButton>("Command6")->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(boxes.shown[0], ValidationHelpText(), kBoxTitle, MsgButtons::Ok, MsgIcon::Information));
}

TEST_F(EgkInfo, ButtonRowInOrder) {
    info->show();
    QStringList texts;
    for (const char* name : {"Command4", "Command2_0", "Command1_0", "Command2_1", "Command1_1", "Command2_2",
                             "Command1_2", "Command3"})
        texts.append(find<QPushButton>(name)->text());
    EXPECT_EQ(texts,
              QStringList({"ICC Info", "PD (xml)", "PD", "VD (xml)", "VD", "GVD (xml)", "GVD", "&OK"}));
    EXPECT_EQ(
        QStringList({find<QPushButton>("Command2_1")->toolTip(), find<QPushButton>("Command1_2")->toolTip(),
                     find<QPushButton>("Command6")->text()}),
        QStringList({"Anzeige der allgemeinen Versicherungsdaten in XML Darstellung.",
                     "Anzeige der geschützten Versichertendaten.", "&Hilfe"}));
    find<QPushButton>("Command3")->click();
    EXPECT_FALSE(info->isVisible());
}

} // namespace
} // namespace kc::test
