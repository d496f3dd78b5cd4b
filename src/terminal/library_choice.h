// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// The file name a terminal library has next to the program or in the
// program's library folder.
inline constexpr char kDefaultLibraryName[] = "libctzav32.so";

// The user's settings file; its key `ctapi` names the terminal library.
QString LibrarySettingsFile();

// The terminal library to load: KARTOCHECK_CTAPI, else the file named by
// `ctapi` in the settings file (a bare name counts in the private folder when
// it is there), else libctzav32.so in the program's folder, then in the
// private folder, else libctzav32.so on the system's library path.
QString ChooseLibrary(const QString& programFolder, const QString& privateFolder);

// The helper that hosts the terminal library: next to the program, else in
// the private folder.
QString ChooseHelper(const QString& programFolder, const QString& privateFolder);

} // namespace kc
