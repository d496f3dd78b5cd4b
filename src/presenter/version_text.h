// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

struct LibraryInfo;

// The project version the program was built as.
QString ProgramVersion();

// The lines of --version: the program and its version, the terminal library
// with its path and what it is ("Simulator"), and the schema folder.
QString VersionText(const QString& program, const LibraryInfo& library, const QString& schemaFolder);

// The library line of the about window, with "(Simulator)" when it is the simulator.
QString LibraryLine(const LibraryInfo& library);

// What the status line says at start when the library in use is the
// simulator; empty otherwise.
QString SimulatorNotice(const LibraryInfo& library);

// The main window's title: "KartoCheck – Simulator" while the simulator is the library in use.
QString MainWindowTitle(bool simulator);

// What the status line says when a library was chosen: "Terminal-Bibliothek: " and its file.
QString LibraryInUseText(const QString& file);

} // namespace kc
