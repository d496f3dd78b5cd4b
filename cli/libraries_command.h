// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/library_choice.h"

#include <QString>

namespace kc::cli {

class Console;
struct CommandLine;

// kartocheck-cli libraries [--use NAME|PFAD]: lists the terminal libraries
// with the one in use marked, or writes a choice to the settings file.
int RunLibrariesCommand(Console& console, const CommandLine& line);

// The libraries on offer, the one in use marked, and how to choose one.
QString LibraryListText(const LibraryChoice& choice);

// What a run without any library choice says instead of the box.
QString NoLibraryChosenText(const LibraryChoice& choice);

// The line after the box about a missing library: the file looked for and where to choose another.
QString MissingLibraryHint(const QString& file);

} // namespace kc::cli
