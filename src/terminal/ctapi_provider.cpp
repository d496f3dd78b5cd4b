#include "terminal/ctapi_provider.h"

#include "base/program_folder.h"

#include <QFile>
#include <QFileInfo>

namespace kc {

QString LibraryCtApiProvider::LibraryToLoad() {
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
        library_ = CtApiLibrary::Load(QFile::encodeName(LibraryToLoad()).toStdString(), fault);
    else
        fault = LibraryFault::None;
    return library_.get();
}

} // namespace kc
