#pragma once

#include <QString>

namespace kc::cli {

struct LibraryInfo;

// The project version the program was built as.
QString ProgramVersion();

// The lines of --version: program version, terminal library and what it is.
QString VersionText(const LibraryInfo& library);

} // namespace kc::cli
