#include "terminal/ctapi_provider.h"

#include "base/program_folder.h"
#include "terminal/library_choice.h"

#include <QFile>

namespace kc {

QString LibraryCtApiProvider::LibraryToLoad() {
    return ChooseLibrary(ProgramFolder(), PrivateLibraryFolder());
}

CtApi* LibraryCtApiProvider::acquire(LibraryFault& fault) {
    if (!library_)
        library_ = CtApiLibrary::Load(QFile::encodeName(LibraryToLoad()).toStdString(), fault);
    else
        fault = LibraryFault::None;
    return library_.get();
}

} // namespace kc
