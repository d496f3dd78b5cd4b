// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/result.h"

#include <QString>

namespace kc {

// A library a person names, a bare name (looked up as the settings file's is)
// or a path: the file to load, or why it is none.
Result<QString> FindNamedLibrary(const QString& nameOrPath, const QString& privateFolder);

// Checks the name and writes it, as given, to the settings file for every
// later run; the file it stands for, or why not.
Result<QString> SaveLibraryUse(const QString& nameOrPath);

} // namespace kc
