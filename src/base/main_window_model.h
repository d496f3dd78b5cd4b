// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/card_display.h"
#include "base/lamps.h"

#include <QString>
#include <QStringList>
#include <array>

namespace kc {

// One port option (Opti_Comx with its label Labe_Comx).
struct PortOption {
    bool enabled = true;
    bool checked = false;
};

constexpr int kCommandButtons = 6;
constexpr int kFrameWait = 0;
constexpr int kFrameEmpty = 1;
constexpr int kFrameStatus = 2;
constexpr int kFrameCardData = 3;

// Everything the main window shows, kept by the program so that the window,
// the console and the tests read the same state. The window repaints from it
// whenever pending events run.
struct MainWindowModel {
    QString windowTitle = QStringLiteral("KartoCheck");
    int visibleFrame = -1; // Fram_Show index, -1 while none is visible
    bool toolbarEnabled = true;
    std::array<bool, kCommandButtons> buttonEnabled = {true, false, false, false, false, false};
    bool validationItemEnabled = true;
    bool newSchemaItemEnabled = false; // mnuDateiItem 1
    std::array<PortOption, 5> options;
    int selectedTab = 0;
    std::array<QString, 5> tabCaptions = {QStringLiteral("COM 1"), QStringLiteral("COM 2"),
                                          QStringLiteral("COM 3"), QStringLiteral("COM 4"),
                                          QStringLiteral("COM ...")};
    int visibleStatusFrame = 0; // Fram_Tab1 index
    QStringList listEntries;    // List1
    int listSelected = -1;
    bool listVisible = false;
    std::array<LampColor, 2> lamps = {LampColor::Neutral, LampColor::Neutral};
    QString statusText;
    int progress = 0;
    bool busy = false;
    CardDataView card;
    StatusPages statusPages;
};

// Makes content frame x the visible one; false when it already is.
inline bool ShowFrameX(MainWindowModel& model, int x) {
    if (model.visibleFrame == x)
        return false;
    model.visibleFrame = x;
    return true;
}

} // namespace kc
