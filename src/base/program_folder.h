#pragma once

#include <QString>

namespace kc {

// The folder of the running program, where the terminal library and the
// schema files are looked for.
QString ProgramFolder();

} // namespace kc
