// SPDX-License-Identifier: Apache-2.0
#include "base/program_folder.h"

#include "base/install_folders.h"

#include <QDir>
#include <QFileInfo>

namespace kc {

QString ProgramFolder() {
    // /proc/self/exe works before (and without) a QCoreApplication instance.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

QString PrivateLibraryFolder() {
    return QDir::cleanPath(ProgramFolder() + QLatin1Char('/') +
                           QLatin1String(kPrivateLibraryFolderFromProgram));
}

QString DataFolder() {
    return QDir::cleanPath(ProgramFolder() + QLatin1Char('/') + QLatin1String(kDataFolderFromProgram));
}

QString FirstFolderHolding(const QStringList& folders, const QString& file) {
    for (const QString& folder : folders)
        if (!folder.isEmpty() && QFileInfo::exists(folder + QLatin1Char('/') + file))
            return folder;
    return {};
}

} // namespace kc
