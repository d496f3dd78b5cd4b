// SPDX-License-Identifier: Apache-2.0
#include "terminal/simulator_library.h"

#include "terminal/shared_library.h"

namespace kc {

bool IsSimulatorLibrary(const QString& fileOrName) {
    const SharedLibrary library(fileOrName.toLocal8Bit().toStdString());
    return library.isLoaded() && library.symbol(kSimulatorMarker) != nullptr;
}

} // namespace kc
