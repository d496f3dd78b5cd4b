// SPDX-License-Identifier: Apache-2.0
#include "presenter/library_use.h"

#include "base/program_folder.h"
#include "terminal/library_choice.h"

#include <QFileInfo>

namespace kc {

Result<QString> FindNamedLibrary(const QString& nameOrPath, const QString& privateFolder) {
    const QString given = nameOrPath.trimmed();
    if (given.isEmpty())
        return Result<QString>::failure(QStringLiteral("Es fehlt der Name der Terminal-Bibliothek."));
    const QString file = ResolveLibraryName(given, privateFolder);
    const bool found =
        file.contains(QLatin1Char('/')) ? QFileInfo(file).isFile() : !FolderOnLibraryPath(file).isEmpty();
    if (!found)
        return Result<QString>::failure(QStringLiteral("Terminal-Bibliothek nicht gefunden: ") + given);
    return file.contains(QLatin1Char('/')) ? QFileInfo(file).absoluteFilePath() : file;
}

Result<QString> SaveLibraryUse(const QString& nameOrPath) {
    Result<QString> found = FindNamedLibrary(nameOrPath, PrivateLibraryFolder());
    if (!found.ok())
        return found;
    // A path is kept whole, a bare name as the person wrote it.
    const QString given = nameOrPath.trimmed();
    const QString problem = SaveLibraryChoice(given.contains(QLatin1Char('/')) ? found.value() : given);
    if (!problem.isEmpty())
        return Result<QString>::failure(problem);
    return found;
}

} // namespace kc
