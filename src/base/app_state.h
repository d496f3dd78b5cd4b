// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/main_window_model.h"
#include "base/slot_tables.h"

#include <QString>
#include <cstdint>

namespace kc {

// All state of a run, owned by the main window (or the console front-end).
struct AppState {
    SlotTables tables;
    uint16_t SelectedPort = 0;
    int SelectedSlot = 0;
    int CurrentTab = 0;
    bool ValidationEnabled = false;
    QString SchemaTextVd;
    QString SchemaTextPd;
    QString SchemaTextGvd;
    bool AutoScanPending = true;
    bool FirstUseQuit = false;
    bool ActionRunning = false;
    bool ExitPending = false;
    MainWindowModel ui;
};

} // namespace kc
