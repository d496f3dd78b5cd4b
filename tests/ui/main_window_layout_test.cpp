#include "gui/main_window_builder.h"
#include "window_harness.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

// A widget by object name, one of its Qt properties and the value it has when the window is built.
struct Shown {
    QString name;
    const char* property;
    QVariant value;
};

QVariant PropertyOf(QObject& window, const Shown& row) {
    QObject* found = window.objectName() == row.name ? &window : window.findChild<QObject*>(row.name);
    return found ? found->property(row.property) : QVariant(QStringLiteral("<fehlt>"));
}

TEST(MainWindowLayout, TextsPicturesAndStartState) {
    WindowHarness h;
    const QString tips[] = {"Programm prüft die serielle(n) Schnittstelle(n) auf Vorhandensein eines MKT's",
                            "Überprüft die ausgewählte Schnittstelle im Dialog",
                            "Der MKT Status wird angezeigt",
                            "Die Krankenversichertendaten werden angezeigt/gelesen",
                            "Die Krankenversichertendaten werden in die Zwischenablage kopiert",
                            "Die Anzeigefelder werden zurückgesetzt"};
    std::vector<Shown> rows = {
        {"Form_MKT_Test", "windowTitle", "KartoCheck"},
        {"StatusBar1_Panel_1", "text", "Status:"},
        {"StatusBar1_Panel_2", "text", ""},
        {"ProgressBar1", "maximum", 100},
        {"Fram_Comx", "title", "Schnittstellen"},
        {"Labe_Comx_0", "text", "COM 1 "},
        {"Labe_Comx_4", "text", "weitere ..."},
        {"Fram_MKTStatus", "title", "MKT Status"},
        {"Labl_2MKTStatus", "text", "Kartenzugriff"},
        {"Labl_3MKTStatus", "text", "MKT-Zugriff"},
        {"Labl_1MKTStatus_1", "styleSheet", LampStyle(LampColor::Neutral)},
        {"Labl_FramShow0_0", "text", "Programm prüft die serielle(n) Schnittstelle(n)"},
        {"Labl_FramShow0_3", "text", "Bitte warten !"},
        {"Fram_Show_3", "title", "Krankenversicherten Kartendaten"},
        {"Labl_1FramShow3_11", "text", "Straße:"},
        {"cmdeGK", "text", "Info eGK Daten"},
        {"cmdeGK", "toolTip", "Anzeige weiterer Daten der elektronischen Gesundheitskarte."},
        {"CmdB_MKT_Test_Fill", "enabled", false},
        {"mnuDatei", "title", "&Datei"},
        {"mnuDateiItem_0", "text", "&Validierung"},
        {"mnuDateiItem_0", "checkable", true},
        {"mnuDateiItem_1", "title", "&Neues Schema laden"},
        {"mnuDateiItem_1", "enabled", false},
        {"mnuSchemaItem_0", "text", "UC_allgemeineVersicherungsdatenXSD"},
        {"mnuSchemaItem_2", "text", "UC_geschuetzteVersichertendatenXSD"},
        {"mnuDateiItem_3", "text", "&Beenden"},
        {"mnuHilfe", "title", "&?"},
        {"mnuInfoItem_0", "text", "Ben&utzer Information"},
        {"mnuInfoItem_1", "text", "Inf&o..."}};
    for (int i = 0; i < 6; ++i) {
        rows.push_back({QStringLiteral("CmdB_MKt_Test_%1").arg(i), "toolTip", tips[i]});
        rows.push_back({QStringLiteral("CmdB_MKt_Test_%1").arg(i), "enabled", i == 0});
        EXPECT_FALSE(h.w().buttons[std::size_t(i)]->icon().isNull()) << "pictures only";
    }
    for (const Shown& row : rows)
        EXPECT_EQ(PropertyOf(h.window(), row), row.value) << qPrintable(row.name) << " " << row.property;
    EXPECT_TRUE(h.w().menus.separator->isSeparator());
    EXPECT_EQ(h.w().menus.datei->actions().size(), 4);
    EXPECT_TRUE(h.w().list->isHidden());
    EXPECT_TRUE(h.w().egkButton->isHidden());
    for (QWidget* frame : h.w().contentFrames)
        EXPECT_TRUE(frame->isHidden());
    for (int row = 0; row < kCardRows; ++row)
        EXPECT_EQ(h.w().cardRows[std::size_t(row)].value->isHidden(), row >= 16) << row;
}

// Pages 4 and 5 share Labe_FramTab3: 0 to 7 for COM 4, 15 down to 8 for the further port.
TEST(MainWindowLayout, StatusTabWithFivePages) {
    WindowHarness h;
    ASSERT_EQ(h.w().tabs->count(), 5);
    EXPECT_EQ(h.w().tabs->tabText(4), "COM ...");
    for (int page = 0; page < 5; ++page) {
        EXPECT_EQ(h.w().pages[std::size_t(page)].frame->isHidden(), page != 0) << page;
        for (int row = 0; row < kStatusRows; ++row) {
            EXPECT_EQ(h.w().pages[std::size_t(page)].captions[std::size_t(row)]->text(),
                      StatusCaption(page + 1, row));
            EXPECT_EQ(h.w().pages[std::size_t(page)].values[std::size_t(row)]->objectName(),
                      StatusValueName(page, row));
        }
    }
    EXPECT_EQ(StatusValueName(2, 7), "Labe_FramTab2_7");
    EXPECT_EQ(StatusValueName(3, 7), "Labe_FramTab3_7");
    EXPECT_EQ(StatusValueName(4, 0), "Labe_FramTab3_15");
    EXPECT_EQ(StatusValueName(4, 7), "Labe_FramTab3_8");
}

TEST(MainWindowLayout, LabelsShowClassicAccelerators) {
    EXPECT_EQ(ShownLabelText("Müller && Söhne"), "Müller & Söhne");
    EXPECT_EQ(ShownLabelText("A&&&&B"), "A&&B");
    EXPECT_EQ(ShownLabelText("&OK"), "OK");
    EXPECT_EQ(ShownLabelText("Ende&"), "Ende&");
}

} // namespace
} // namespace kc::test
