// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// The file name a terminal library has next to the program or in the
// program's library folder.
inline constexpr char kDefaultLibraryName[] = "libctzav32.so";

// The user's settings file; its key `ctapi` names the terminal library.
QString LibrarySettingsFile();

// Where the terminal library of a run comes from, strongest first.
enum class LibraryOrigin { ForThisCall, Environment, SettingsFile, DefaultName, Nothing };

struct LibraryChoice {
    QString file; // a path, or a bare name for the system's loader
    LibraryOrigin origin = LibraryOrigin::Nothing;
};

// The terminal library to load: the one named for this call (--library),
// else KARTOCHECK_CTAPI, else the file named by `ctapi` in the settings file,
// else libctzav32.so in the program's folder, the private folder or on the
// system's library path. A bare name given for this call or in the settings
// file counts in the private folder when it is there. Nothing found: the
// origin says so and the file is the bare default name, which the loader
// then reports missing.
LibraryChoice FindLibraryChoice(const QString& programFolder, const QString& privateFolder,
                                const QString& forThisCall = {});
// Only the file of FindLibraryChoice without a choice for this call.
QString ChooseLibrary(const QString& programFolder, const QString& privateFolder);

// A bare name in the private folder, else as given (paths stay as they are).
QString ResolveLibraryName(const QString& nameOrPath, const QString& privateFolder);

// The folder on the system's library path (LD_LIBRARY_PATH, the C library's
// folder, the usual library folders) that holds the file; empty when none does.
QString FolderOnLibraryPath(const QString& fileName);

// Writes nameOrPath under `ctapi` into the settings file. Empty when written,
// else the German reason.
[[nodiscard]] QString SaveLibraryChoice(const QString& nameOrPath);

// The helper that hosts the terminal library: next to the program, else in
// the private folder.
QString ChooseHelper(const QString& programFolder, const QString& privateFolder);

} // namespace kc
