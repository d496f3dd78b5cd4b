// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace kc {

// One terminal library this installation offers.
struct LibraryEntry {
    QString name;    // file name
    QString path;    // where it lies
    QString purpose; // what it is for, as the person reads it
    bool simulator = false;
};

// The project's own libraries in the program's folder (a build tree) and the
// private folder, then any further library in the private folder.
QList<LibraryEntry> FindInstalledLibraries(const QString& programFolder, const QString& privateFolder);
// The same for the running program's folders.
QList<LibraryEntry> FindInstalledLibraries();

// What this machine shows of its terminals.
struct MachineFindings {
    std::optional<int> pcscReaders; // nullopt: no pcscd answered
    int serialDevices = 0;
};
MachineFindings ProbeMachine();

// The library that likely fits the machine, as an index into the entries
// (-1: none), and the sentence that says why or that nothing was found.
struct LikelyFit {
    int entry = -1;
    QString text;
};
LikelyFit FindLikelyFit(const QList<LibraryEntry>& entries, const MachineFindings& findings);

} // namespace kc
