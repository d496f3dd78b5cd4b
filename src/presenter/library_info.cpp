// SPDX-License-Identifier: Apache-2.0
#include "presenter/library_info.h"

#include "terminal/ctapi_library.h"
#include "terminal/ctapi_provider.h"
#include "terminal/shared_library.h"
#include "terminal/simulator_library.h"

#include <QFileInfo>
#include <dlfcn.h>
#include <memory>

namespace kc {
namespace {

const char* const kEntryPoints[] = {"CTDEZAVT1_init", "CTDEZAVT1_data", "CTDEZAVT1_close", "CT_init",
                                    "CT_data",        "CT_close",       "CT_get_baudrate"};

// The file a symbol was loaded from: a bare name resolves to the file the
// system's search found.
QString FileOfSymbol(void* symbol) {
    Dl_info info{};
    if (!symbol || dladdr(symbol, &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

} // namespace

LibraryInfo InspectTerminalLibrary() {
    LibraryInfo result;
    result.requested = LibraryCtApiProvider::libraryToLoad();
    const std::string file = result.requested.toLocal8Bit().toStdString();
    const SharedLibrary library(file);
    if (!library.isLoaded()) {
        result.problem = QString::fromLocal8Bit(library.error().c_str());
        return result;
    }
    for (const char* name : kEntryPoints) {
        if (void* symbol = library.symbol(name)) {
            result.entryPoints.append(QString::fromLatin1(name));
            if (result.path.isEmpty())
                result.path = FileOfSymbol(symbol);
        }
    }
    result.simulator = library.symbol(kSimulatorMarker) != nullptr;
    // The program's own loader decides whether the entry points suffice.
    LibraryFault fault = LibraryFault::None;
    if (!CtApiLibrary::load(file, fault))
        result.problem = QStringLiteral("Einsprungpunkte fehlen");
    return result;
}

} // namespace kc
