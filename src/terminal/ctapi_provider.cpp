// SPDX-License-Identifier: Apache-2.0
#include "terminal/ctapi_provider.h"

#include "base/program_folder.h"
#include "terminal/library_choice.h"

#include <QFile>

namespace kc {

QString LibraryCtApiProvider::libraryToLoad() {
    return ChooseLibrary(ProgramFolder(), PrivateLibraryFolder());
}

CtApi* LibraryCtApiProvider::acquire(LibraryFault& fault) {
    if (!library_)
        library_ = CtApiLibrary::load(QFile::encodeName(libraryToLoad()).toStdString(), fault);
    else
        fault = LibraryFault::None;
    return library_.get();
}

} // namespace kc
