// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/card_display.h"
#include "base/main_window_model.h"

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;
class QWidget;

namespace kc {

constexpr int kPortOptions = 5;
constexpr int kContentFrames = 4;
constexpr int kStatusPages = 5;
constexpr int kSchemaItems = 3;

struct MenuWidgets {
    QMenu* datei = nullptr;                           // mnuDatei
    QAction* validation = nullptr;                    // mnuDateiItem_0, a check item
    QMenu* newSchema = nullptr;                       // mnuDateiItem_1, a submenu
    std::array<QAction*, kSchemaItems> schemaItems{}; // mnuSchemaItem_0..2
    QAction* library = nullptr;                       // mnuLibraryItem, opens the library chooser
    QAction* separator = nullptr;                     // mnuDateiItem_2
    QAction* quit = nullptr;                          // mnuDateiItem_3
    QMenu* hilfe = nullptr;                           // mnuHilfe
    std::array<QAction*, 2> infoItems{};              // mnuInfoItem_0..1
};

// One status page (Fram_Tab1_i): captions and values, top to bottom.
struct StatusPageWidgets {
    QGroupBox* frame = nullptr;
    std::array<QLabel*, kStatusRows> captions{};
    std::array<QLabel*, kStatusRows> values{};
};

struct CardRowWidgets {
    QLabel* caption = nullptr; // Labl_1FramShow3_k
    QLabel* value = nullptr;   // Labl_2FramShow3_k
};

// Every control of Form_MKT_Test. Arrays of controls carry the objectName
// Name_<index>.
struct MainWindowWidgets {
    QWidget* toolbar = nullptr; // Pict_MKT_Test
    std::array<QToolButton*, kCommandButtons> buttons{};
    std::array<QToolButton*, 2> fillers{};

    QGroupBox* portFrame = nullptr; // Fram_Comx
    std::array<QRadioButton*, kPortOptions> options{};
    std::array<QLabel*, kPortOptions> optionLabels{};
    QListWidget* list = nullptr; // List1

    QGroupBox* lampFrame = nullptr; // Fram_MKTStatus
    std::array<QLabel*, 2> lamps{}; // Labl_1MKTStatus_0..1

    std::array<QWidget*, kContentFrames> contentFrames{}; // Fram_Show_0..3
    QTabBar* tabs = nullptr;                              // TabStrip1
    std::array<StatusPageWidgets, kStatusPages> pages{};
    QGroupBox* cardFrame = nullptr; // Fram_Show_3
    std::array<CardRowWidgets, kCardRows> cardRows{};
    QPushButton* egkButton = nullptr; // cmdeGK

    QLabel* statusCaption = nullptr;  // StatusBar1 panel 1
    QLabel* statusText = nullptr;     // StatusBar1 panel 2
    QProgressBar* progress = nullptr; // ProgressBar1

    MenuWidgets menus;
};

} // namespace kc
