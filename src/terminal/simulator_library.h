// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// The project's terminal simulator exports this name; a real terminal's
// library does not.
inline constexpr char kSimulatorMarker[] = "mktsim_identity";

// True when the CT-API library (a path or a name for the loader) is the simulator.
[[nodiscard]] bool IsSimulatorLibrary(const QString& fileOrName);

} // namespace kc
