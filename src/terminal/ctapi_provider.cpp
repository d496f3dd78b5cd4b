#include "terminal/ctapi_provider.h"

#include "base/program_folder.h"

#include <QFile>
#include <QFileInfo>

namespace kc {

QString LibraryCtApiProvider::libraryToLoad() {
    const QString named = qEnvironmentVariable("KARTOCHECK_CTAPI");
    if (!named.isEmpty())
        return named;
    const QString beside = ProgramFolder() + QStringLiteral("/libctzav32.so");
    if (QFileInfo::exists(beside))
        return beside;
    return QStringLiteral("libctzav32.so");
}

CtApi* LibraryCtApiProvider::acquire(LibraryFault& fault) {
    if (!library_)
        library_ = CtApiLibrary::load(QFile::encodeName(libraryToLoad()).toStdString(), fault);
    else
        fault = LibraryFault::None;
    return library_.get();
}

} // namespace kc
