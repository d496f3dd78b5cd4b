// SPDX-License-Identifier: Apache-2.0
#include "terminal/library_choice.h"

#include "base/program_folder.h"

#include <QSettings>
#include <QStandardPaths>

namespace kc {
namespace {

const QString kHelperName = QStringLiteral("kartocheck-ctapi-host");

QString ConfiguredLibrary(const QString& privateFolder) {
    const QString file = LibrarySettingsFile();
    if (file.isEmpty())
        return {};
    const QSettings settings(file, QSettings::IniFormat);
    const QString named = settings.value(QStringLiteral("ctapi")).toString().trimmed();
    if (named.isEmpty() || named.contains(QLatin1Char('/')))
        return named;
    const QString folder = FirstFolderHolding({privateFolder}, named);
    return folder.isEmpty() ? named : folder + QLatin1Char('/') + named;
}

} // namespace

QString LibrarySettingsFile() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config.isEmpty() ? QString() : config + QStringLiteral("/kartocheck/kartocheck.ini");
}

QString ChooseLibrary(const QString& programFolder, const QString& privateFolder) {
    const QString named = qEnvironmentVariable("KARTOCHECK_CTAPI");
    if (!named.isEmpty())
        return named;
    const QString configured = ConfiguredLibrary(privateFolder);
    if (!configured.isEmpty())
        return configured;
    const QString name = QLatin1String(kDefaultLibraryName);
    const QString folder = FirstFolderHolding({programFolder, privateFolder}, name);
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

QString ChooseHelper(const QString& programFolder, const QString& privateFolder) {
    const QString folder = FirstFolderHolding({programFolder, privateFolder}, kHelperName);
    // Without one the helper's start fails and says so, naming the program's folder.
    return (folder.isEmpty() ? programFolder : folder) + QLatin1Char('/') + kHelperName;
}

} // namespace kc
