// SPDX-License-Identifier: Apache-2.0
#include "gui/main_window_builder.h"

#include "gui/accessible_names.h"
#include "gui/pictures.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kc {
namespace {

// Tool tip of command button index (0 to 5).
QString CommandButtonToolTip(int index) {
    static const char* const kToolTips[kCommandButtons] = {
        "Programm prüft die serielle(n) Schnittstelle(n) auf Vorhandensein eines MKT's",
        "Überprüft die ausgewählte Schnittstelle im Dialog",
        "Der MKT Status wird angezeigt",
        "Die Krankenversichertendaten werden angezeigt/gelesen",
        "Die Krankenversichertendaten werden in die Zwischenablage kopiert",
        "Die Anzeigefelder werden zurückgesetzt"};
    return QString::fromUtf8(kToolTips[index]);
}

constexpr int kButtonPicture = 32;
constexpr int kLampSize = 14;

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QToolButton* MakePictureButton(QWidget* parent, const QString& name, const QString& picture) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(PictureIcon(picture, QSize(kButtonPicture, kButtonPicture)));
    button->setIconSize(QSize(kButtonPicture, kButtonPicture));
    button->setAutoRaise(false);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

QWidget* BuildToolbar(QWidget* parent, MainWindowWidgets& w) {
    static const char* const kPictures[kCommandButtons] = {"scan_ports", "test_port", "terminal_status",
                                                           "read_card",  "copy_data", "reset_display"};
    auto* bar = new QFrame(parent);
    bar->setObjectName(QStringLiteral("Pict_MKT_Test"));
    bar->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    for (int i = 0; i < kCommandButtons; ++i) {
        QToolButton* button =
            MakePictureButton(bar, Indexed("CmdB_MKt_Test", i), QLatin1String(kPictures[i]));
        button->setToolTip(CommandButtonToolTip(i));
        layout->addWidget(button);
        w.buttons[std::size_t(i)] = button;
    }
    const QString fillerNames[2] = {QStringLiteral("CmdB_MKT_Test_Fill"),
                                    QStringLiteral("CmdB_MKT_Test_Fill2")};
    for (int i = 0; i < 2; ++i) {
        QToolButton* filler = MakePictureButton(bar, fillerNames[i], QStringLiteral("toolbar_fill"));
        filler->setEnabled(false);
        filler->setAutoRaise(true);
        filler->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        layout->addWidget(filler, 1);
        w.fillers[std::size_t(i)] = filler;
    }
    w.toolbar = bar;
    return bar;
}

QGroupBox* BuildPortFrame(QWidget* parent, MainWindowWidgets& w) {
    static const char* const kCaptions[kPortOptions] = {"COM 1 ", "COM 2", "COM 3", "COM 4", "weitere ..."};
    auto* frame = new QGroupBox(QStringLiteral("Schnittstellen"), parent);
    frame->setObjectName(QStringLiteral("Fram_Comx"));
    auto* layout = new QGridLayout(frame);
    layout->setColumnStretch(1, 1);
    for (int i = 0; i < kPortOptions; ++i) {
        auto* option = new QRadioButton(frame);
        option->setObjectName(Indexed("Opti_Comx", i));
        // The window keeps exactly the option the program chose; no auto toggling.
        option->setAutoExclusive(false);
        QLabel* label = MakeLabel(frame, Indexed("Labe_Comx", i), QString::fromUtf8(kCaptions[i]));
        label->setBuddy(option);
        layout->addWidget(option, i, 0);
        layout->addWidget(label, i, 1);
        w.options[std::size_t(i)] = option;
        w.optionLabels[std::size_t(i)] = label;
    }
    w.list = new QListWidget(frame);
    w.list->setObjectName(QStringLiteral("List1"));
    layout->addWidget(w.list, kPortOptions, 0, 1, 2);
    layout->setRowStretch(kPortOptions, 1);
    w.portFrame = frame;
    return frame;
}

QGroupBox* BuildLampFrame(QWidget* parent, MainWindowWidgets& w) {
    auto* frame = new QGroupBox(QStringLiteral("MKT Status"), parent);
    frame->setObjectName(QStringLiteral("Fram_MKTStatus"));
    auto* layout = new QGridLayout(frame);
    layout->setColumnStretch(1, 1);
    const QString captions[2] = {QStringLiteral("Kartenzugriff"), QStringLiteral("MKT-Zugriff")};
    const QString captionNames[2] = {QStringLiteral("Labl_2MKTStatus"), QStringLiteral("Labl_3MKTStatus")};
    for (int i = 0; i < 2; ++i) {
        QLabel* lamp = MakeLabel(frame, Indexed("Labl_1MKTStatus", i), QString());
        lamp->setFixedSize(kLampSize, kLampSize);
        lamp->setFrameShape(QFrame::Box);
        lamp->setAutoFillBackground(true);
        QLabel* caption = MakeLabel(frame, captionNames[i], captions[i]);
        caption->setBuddy(lamp);
        layout->addWidget(lamp, i, 0);
        layout->addWidget(caption, i, 1);
        w.lamps[std::size_t(i)] = lamp;
    }
    w.lampFrame = frame;
    return frame;
}

QGroupBox* MakeContentFrame(QWidget* parent, int index, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(Indexed("Fram_Show", index));
    return frame;
}

QWidget* BuildWaitFrame(QWidget* parent) {
    static const char* const kLines[] = {"Programm prüft die serielle(n) Schnittstelle(n)",
                                         "auf Vorhandensein eines",
                                         "multifunktionalen Karten-Terminals (MKT).", "Bitte warten !"};
    QGroupBox* frame = MakeContentFrame(parent, kFrameWait, QString());
    auto* layout = new QVBoxLayout(frame);
    layout->addStretch(2);
    for (int i = 0; i < 4; ++i) {
        QLabel* line = MakeLabel(frame, Indexed("Labl_FramShow0", i), QString::fromUtf8(kLines[i]));
        line->setAlignment(Qt::AlignCenter);
        QFont font = line->font();
        font.setPointSizeF(font.pointSizeF() * 1.4);
        font.setBold(i == 3);
        line->setFont(font);
        if (i == 3)
            layout->addSpacing(24);
        layout->addWidget(line);
    }
    layout->addStretch(3);
    return frame;
}

QGroupBox* BuildStatusPage(QWidget* parent, int page, StatusPageWidgets& widgets) {
    auto* frame = new QGroupBox(QStringLiteral("Status"), parent);
    frame->setObjectName(Indexed("Fram_Tab1", page));
    auto* layout = new QGridLayout(frame);
    layout->setColumnStretch(1, 1);
    layout->setVerticalSpacing(10);
    const int slot = page + 1;
    for (int row = 0; row < kStatusRows; ++row) {
        QLabel* caption = MakeLabel(frame, QStringLiteral("Capt_FramTab1_%1_%2").arg(page).arg(row),
                                    StatusCaption(slot, row));
        QLabel* value = MakeLabel(frame, StatusValueName(page, row), QString());
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        caption->setBuddy(value);
        layout->addWidget(caption, row, 0);
        layout->addWidget(value, row, 1);
        widgets.captions[std::size_t(row)] = caption;
        widgets.values[std::size_t(row)] = value;
    }
    layout->setRowStretch(kStatusRows, 1);
    widgets.frame = frame;
    return frame;
}

QWidget* BuildStatusFrame(QWidget* parent, MainWindowWidgets& w) {
    static const char* const kTabs[kStatusPages] = {"COM 1", "COM 2", "COM 3", "COM 4", "COM ..."};
    QGroupBox* frame = MakeContentFrame(parent, kFrameStatus, QString());
    auto* layout = new QGridLayout(frame);
    w.tabs = new QTabBar(frame);
    w.tabs->setObjectName(QStringLiteral("TabStrip1"));
    w.tabs->setExpanding(false);
    for (const char* tab : kTabs)
        w.tabs->addTab(QString::fromLatin1(tab));
    layout->addWidget(w.tabs, 0, 0);
    // The five pages share one place; the tab chooses the visible one.
    for (int page = 0; page < kStatusPages; ++page)
        layout->addWidget(BuildStatusPage(frame, page, w.pages[std::size_t(page)]), 1, 0);
    layout->setRowStretch(1, 1);
    return frame;
}

QWidget* BuildCardFrame(QWidget* parent, MainWindowWidgets& w) {
    const CardDataView design;
    QGroupBox* frame = MakeContentFrame(parent, kFrameCardData, design.frameCaption);
    auto* layout = new QGridLayout(frame);
    layout->setColumnStretch(1, 1);
    for (int row = 0; row < kCardRows; ++row) {
        CardRowWidgets& cells = w.cardRows[std::size_t(row)];
        cells.caption = MakeLabel(frame, Indexed("Labl_1FramShow3", row), design.captions[std::size_t(row)]);
        cells.value = MakeLabel(frame, Indexed("Labl_2FramShow3", row), QString());
        cells.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        cells.caption->setBuddy(cells.value);
        layout->addWidget(cells.caption, row, 0);
        layout->addWidget(cells.value, row, 1);
    }
    w.egkButton = new QPushButton(QStringLiteral("Info eGK Daten"), frame);
    w.egkButton->setObjectName(QStringLiteral("cmdeGK"));
    w.egkButton->setToolTip(QStringLiteral("Anzeige weiterer Daten der elektronischen Gesundheitskarte."));
    layout->setRowStretch(kCardRows, 1);
    layout->addWidget(w.egkButton, kCardRows + 1, 1, Qt::AlignRight);
    w.cardFrame = frame;
    return frame;
}

QWidget* BuildContentArea(QWidget* parent, MainWindowWidgets& w) {
    auto* area = new QWidget(parent);
    area->setObjectName(QStringLiteral("ContentArea"));
    auto* layout = new QGridLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    w.contentFrames[kFrameWait] = BuildWaitFrame(area);
    w.contentFrames[kFrameEmpty] = MakeContentFrame(area, kFrameEmpty, QString());
    w.contentFrames[kFrameStatus] = BuildStatusFrame(area, w);
    w.contentFrames[kFrameCardData] = BuildCardFrame(area, w);
    for (QWidget* frame : w.contentFrames)
        layout->addWidget(frame, 0, 0);
    return area;
}

void BuildStatusBar(QMainWindow& window, MainWindowWidgets& w) {
    QStatusBar* bar = window.statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    w.statusCaption = MakeLabel(bar, QStringLiteral("StatusBar1_Panel_1"), QStringLiteral("Status:"));
    w.statusCaption->setFrameShape(QFrame::Panel);
    w.statusCaption->setFrameShadow(QFrame::Sunken);
    w.statusText = MakeLabel(bar, QStringLiteral("StatusBar1_Panel_2"), QString());
    w.statusText->setFrameShape(QFrame::Panel);
    w.statusText->setFrameShadow(QFrame::Sunken);
    w.statusText->setMinimumWidth(420);
    bar->addWidget(w.statusCaption);
    bar->addWidget(w.statusText, 1);
    w.progress = new QProgressBar(bar);
    w.progress->setObjectName(QStringLiteral("ProgressBar1"));
    w.progress->setRange(0, 100);
    w.progress->setTextVisible(false);
    w.progress->setFixedWidth(160);
    bar->addPermanentWidget(w.progress);
}

} // namespace

QString StatusValueName(int page, int row) {
    if (page < 3)
        return QStringLiteral("Labe_FramTab%1_%2").arg(page).arg(row);
    const int item = page == 3 ? row : 15 - row;
    return QStringLiteral("Labe_FramTab3_%1").arg(item);
}

MainWindowWidgets BuildMainWindow(QMainWindow& window) {
    MainWindowWidgets w;
    window.setObjectName(QStringLiteral("Form_MKT_Test"));
    window.setWindowTitle(QStringLiteral("KartoCheck"));
    window.setWindowIcon(PictureIcon(QStringLiteral("kartocheck"), QSize(32, 32)));
    window.menuBar()->setObjectName(QStringLiteral("MenuBar"));
    w.menus = BuildMenus(*window.menuBar());

    auto* central = new QWidget(&window);
    central->setObjectName(QStringLiteral("Central"));
    auto* outer = new QVBoxLayout(central);
    outer->addWidget(BuildToolbar(central, w));
    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    QGroupBox* ports = BuildPortFrame(central, w);
    QGroupBox* lamps = BuildLampFrame(central, w);
    ports->setFixedWidth(190);
    lamps->setFixedWidth(190);
    left->addWidget(ports, 1);
    left->addWidget(lamps);
    body->addLayout(left);
    body->addWidget(BuildContentArea(central, w), 1);
    outer->addLayout(body, 1);
    window.setCentralWidget(central);
    BuildStatusBar(window, w);
    window.resize(860, 640);
    ApplyAccessibleNames(w);
    return w;
}

} // namespace kc
