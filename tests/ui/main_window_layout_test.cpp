#include "gui/main_window_builder.h"
#include "window_harness.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

template <typename T> T* Find(QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << qPrintable(name);
    return found;
}

TEST(MainWindowLayout, TitleToolBarAndStatusBar) {
    WindowHarness h;
    MainWindow& window = h.window();
    EXPECT_EQ(window.objectName(), "Form_MKT_Test");
    EXPECT_EQ(window.windowTitle(), "KartoCheck");
    ASSERT_NE(Find<QWidget>(window, "Pict_MKT_Test"), nullptr);
    const char* const tips[] = {
        "Programm prüft die serielle(n) Schnittstelle(n) auf Vorhandensein eines MKT's",
        "Überprüft die ausgewählte Schnittstelle im Dialog",
        "Der MKT Status wird angezeigt",
        "Die Krankenversichertendaten werden angezeigt/gelesen",
        "Die Krankenversichertendaten werden in die Zwischenablage kopiert",
        "Die Anzeigefelder werden zurückgesetzt"};
    for (int i = 0; i < 6; ++i) {
        auto* button = Find<QToolButton>(window, QStringLiteral("CmdB_MKt_Test_%1").arg(i));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(tips[i]));
        EXPECT_TRUE(button->text().isEmpty()) << "pictures only";
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_EQ(button->isEnabled(), i == 0) << i;
    }
    for (const char* filler : {"CmdB_MKT_Test_Fill", "CmdB_MKT_Test_Fill2"}) {
        auto* button = Find<QToolButton>(window, QString::fromLatin1(filler));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isEnabled());
    }
    EXPECT_EQ(Find<QLabel>(window, "StatusBar1_Panel_1")->text(), "Status:");
    EXPECT_EQ(Find<QLabel>(window, "StatusBar1_Panel_2")->text(), "");
    auto* progress = Find<QProgressBar>(window, "ProgressBar1");
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 100);
}

TEST(MainWindowLayout, PortFrameAndLamps) {
    WindowHarness h;
    MainWindow& window = h.window();
    EXPECT_EQ(Find<QGroupBox>(window, "Fram_Comx")->title(), "Schnittstellen");
    const char* const captions[] = {"COM 1 ", "COM 2", "COM 3", "COM 4", "weitere ..."};
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(Find<QRadioButton>(window, QStringLiteral("Opti_Comx_%1").arg(i)), nullptr);
        EXPECT_EQ(Find<QLabel>(window, QStringLiteral("Labe_Comx_%1").arg(i))->text(), captions[i]);
    }
    EXPECT_TRUE(Find<QListWidget>(window, "List1")->isHidden());
    EXPECT_EQ(Find<QGroupBox>(window, "Fram_MKTStatus")->title(), "MKT Status");
    EXPECT_EQ(Find<QLabel>(window, "Labl_2MKTStatus")->text(), "Kartenzugriff");
    EXPECT_EQ(Find<QLabel>(window, "Labl_3MKTStatus")->text(), "MKT-Zugriff");
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(Find<QLabel>(window, QStringLiteral("Labl_1MKTStatus_%1").arg(i))->styleSheet(),
                  LampStyle(LampColor::Neutral));
}

TEST(MainWindowLayout, ContentFramesAllHiddenAtStart) {
    WindowHarness h;
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Find<QWidget>(h.window(), QStringLiteral("Fram_Show_%1").arg(i))->isHidden()) << i;
    const QStringList waitLines = {"Programm prüft die serielle(n) Schnittstelle(n)",
                                   "auf Vorhandensein eines", "multifunktionalen Karten-Terminals (MKT).",
                                   "Bitte warten !"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Find<QLabel>(h.window(), QStringLiteral("Labl_FramShow0_%1").arg(i))->text(), waitLines[i]);
}

TEST(MainWindowLayout, StatusTabWithFivePages) {
    WindowHarness h;
    auto* tabs = Find<QTabBar>(h.window(), "TabStrip1");
    ASSERT_EQ(tabs->count(), 5);
    const QStringList tabTexts = {"COM 1", "COM 2", "COM 3", "COM 4", "COM ..."};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tabs->tabText(i), tabTexts[i]);
    const QStringList captions = {
        "Serielle Schnittstelle:", "Baudrate:",      "MCT Modell:",   "Hersteller:", "CT-Typ:",
        "Software Version:",       "Ausgabemedium:", "PnP Device ID:"};
    for (int page = 0; page < 5; ++page) {
        auto* frame = Find<QGroupBox>(h.window(), QStringLiteral("Fram_Tab1_%1").arg(page));
        EXPECT_EQ(frame->title(), "Status");
        EXPECT_EQ(frame->isHidden(), page != 0) << page;
        for (int row = 0; row < 8; ++row) {
            const QString expected = page == 4 && row == 0 ? QStringLiteral("Schnittstelle:") : captions[row];
            EXPECT_EQ(h.w().pages[std::size_t(page)].captions[std::size_t(row)]->text(), expected);
            EXPECT_EQ(h.w().pages[std::size_t(page)].values[std::size_t(row)]->objectName(),
                      StatusValueName(page, row));
        }
    }
    // Pages 4 and 5 share Labe_FramTab3: 0 to 7 for COM 4, 15 down to 8 for the further port.
    EXPECT_EQ(StatusValueName(0, 0), "Labe_FramTab0_0");
    EXPECT_EQ(StatusValueName(2, 7), "Labe_FramTab2_7");
    EXPECT_EQ(StatusValueName(3, 7), "Labe_FramTab3_7");
    EXPECT_EQ(StatusValueName(4, 0), "Labe_FramTab3_15");
    EXPECT_EQ(StatusValueName(4, 7), "Labe_FramTab3_8");
}

TEST(MainWindowLayout, CardDataViewWithEighteenRows) {
    WindowHarness h;
    EXPECT_EQ(Find<QGroupBox>(h.window(), "Fram_Show_3")->title(), "Krankenversicherten Kartendaten");
    for (int row = 0; row < kCardRows; ++row) {
        auto* caption = Find<QLabel>(h.window(), QStringLiteral("Labl_1FramShow3_%1").arg(row));
        auto* value = Find<QLabel>(h.window(), QStringLiteral("Labl_2FramShow3_%1").arg(row));
        EXPECT_EQ(value->text(), "");
        EXPECT_EQ(caption->isHidden(), row >= 16) << row;
        EXPECT_EQ(value->isHidden(), row >= 16) << row;
    }
    EXPECT_EQ(Find<QLabel>(h.window(), "Labl_1FramShow3_11")->text(), "Straße:");
    auto* egk = Find<QPushButton>(h.window(), "cmdeGK");
    EXPECT_EQ(egk->text(), "Info eGK Daten");
    EXPECT_EQ(egk->toolTip(), "Anzeige weiterer Daten der elektronischen Gesundheitskarte.");
    EXPECT_TRUE(egk->isHidden());
}

TEST(MainWindowLayout, MenusAtStart) {
    WindowHarness h;
    const MenuWidgets& m = h.w().menus;
    EXPECT_EQ(m.datei->objectName(), "mnuDatei");
    EXPECT_EQ(m.datei->title(), "&Datei");
    EXPECT_EQ(m.validation->objectName(), "mnuDateiItem_0");
    EXPECT_EQ(m.validation->text(), "&Validierung");
    EXPECT_TRUE(m.validation->isCheckable());
    EXPECT_FALSE(m.validation->isChecked());
    EXPECT_TRUE(m.validation->isEnabled());
    EXPECT_EQ(m.newSchema->objectName(), "mnuDateiItem_1");
    EXPECT_EQ(m.newSchema->title(), "&Neues Schema laden");
    EXPECT_FALSE(m.newSchema->isEnabled());
    const QStringList schemas = {"UC_allgemeineVersicherungsdatenXSD", "UC_PersoenlicheVersichertendatenXSD",
                                 "UC_geschuetzteVersichertendatenXSD"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(m.schemaItems[std::size_t(k)]->objectName(), QStringLiteral("mnuSchemaItem_%1").arg(k));
        EXPECT_EQ(m.schemaItems[std::size_t(k)]->text(), schemas[k]);
    }
    EXPECT_TRUE(m.separator->isSeparator());
    EXPECT_EQ(m.separator->objectName(), "mnuDateiItem_2");
    EXPECT_EQ(m.quit->objectName(), "mnuDateiItem_3");
    EXPECT_EQ(m.quit->text(), "&Beenden");
    const QList<QAction*> dateiItems = m.datei->actions();
    ASSERT_EQ(dateiItems.size(), 4);
    EXPECT_EQ(dateiItems[0], m.validation);
    EXPECT_EQ(dateiItems[1], m.newSchema->menuAction());
    EXPECT_EQ(dateiItems[3], m.quit);
    EXPECT_EQ(m.hilfe->objectName(), "mnuHilfe");
    EXPECT_EQ(m.hilfe->title(), "&?");
    EXPECT_EQ(m.infoItems[0]->objectName(), "mnuInfoItem_0");
    EXPECT_EQ(m.infoItems[0]->text(), "Ben&utzer Information");
    EXPECT_EQ(m.infoItems[1]->objectName(), "mnuInfoItem_1");
    EXPECT_EQ(m.infoItems[1]->text(), "Inf&o...");
}

TEST(MainWindowLayout, LabelsShowClassicAccelerators) {
    EXPECT_EQ(ShownLabelText("Müller && Söhne"), "Müller & Söhne");
    EXPECT_EQ(ShownLabelText("&OK"), "OK");
    EXPECT_EQ(ShownLabelText("A&&&&B"), "A&&B");
    EXPECT_EQ(ShownLabelText("Ende&"), "Ende&");
}

} // namespace
} // namespace kc::test
