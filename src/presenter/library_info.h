// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

namespace kc {

// What the terminal library of this run is, as --version and --json report it.
struct LibraryInfo {
    QString requested;       // the file or name the program loads
    QString path;            // the file the system loaded; empty when it did not load
    QString problem;         // why it cannot be used, empty when it can
    QStringList entryPoints; // the CT-API functions it offers
    bool simulator = false;  // the project's own simulator
};

LibraryInfo InspectTerminalLibrary();

} // namespace kc
