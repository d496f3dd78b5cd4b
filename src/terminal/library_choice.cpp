// SPDX-License-Identifier: Apache-2.0
#include "terminal/library_choice.h"

#include "base/program_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdlib>
#include <dlfcn.h>

namespace kc {
namespace {

const QString kHelperName = QStringLiteral("kartocheck-ctapi-host");
const QString kSettingsKey = QStringLiteral("ctapi");

QString ConfiguredLibrary() {
    const QString file = LibrarySettingsFile();
    if (file.isEmpty())
        return {};
    const QSettings settings(file, QSettings::IniFormat);
    return settings.value(kSettingsKey).toString().trimmed();
}

// The folder the C library was loaded from names the machine's own library folder.
QString SystemLibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&std::abort), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

} // namespace

QString LibrarySettingsFile() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config.isEmpty() ? QString() : config + QStringLiteral("/kartocheck/kartocheck.ini");
}

QString ResolveLibraryName(const QString& nameOrPath, const QString& privateFolder) {
    if (nameOrPath.isEmpty() || nameOrPath.contains(QLatin1Char('/')))
        return nameOrPath;
    const QString folder = FirstFolderHolding({privateFolder}, nameOrPath);
    return folder.isEmpty() ? nameOrPath : folder + QLatin1Char('/') + nameOrPath;
}

QString FolderOnLibraryPath(const QString& fileName) {
    QStringList folders = qEnvironmentVariable("LD_LIBRARY_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const QString system = SystemLibraryFolder();
    if (!system.isEmpty())
        folders << system << QStringLiteral("/usr") + system;
    folders << QStringLiteral("/usr/local/lib") << QStringLiteral("/usr/lib") << QStringLiteral("/lib");
    return FirstFolderHolding(folders, fileName);
}

LibraryChoice FindLibraryChoice(const QString& programFolder, const QString& privateFolder,
                                const QString& forThisCall) {
    if (!forThisCall.trimmed().isEmpty())
        return {ResolveLibraryName(forThisCall.trimmed(), privateFolder), LibraryOrigin::ForThisCall};
    const QString named = qEnvironmentVariable("KARTOCHECK_CTAPI");
    if (!named.isEmpty())
        return {named, LibraryOrigin::Environment};
    const QString configured = ConfiguredLibrary();
    if (!configured.isEmpty())
        return {ResolveLibraryName(configured, privateFolder), LibraryOrigin::SettingsFile};
    const QString name = QLatin1String(kDefaultLibraryName);
    const QString folder = FirstFolderHolding({programFolder, privateFolder}, name);
    if (!folder.isEmpty())
        return {folder + QLatin1Char('/') + name, LibraryOrigin::DefaultName};
    // The loader finds it on the system's path by its bare name.
    return {name, FolderOnLibraryPath(name).isEmpty() ? LibraryOrigin::Nothing : LibraryOrigin::DefaultName};
}

QString ChooseLibrary(const QString& programFolder, const QString& privateFolder) {
    return FindLibraryChoice(programFolder, privateFolder).file;
}

QString SaveLibraryChoice(const QString& nameOrPath) {
    const QString file = LibrarySettingsFile();
    if (file.isEmpty())
        return QStringLiteral("Kein Ordner für Einstellungen bekannt (HOME fehlt).");
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return QStringLiteral("Der Ordner ") + QFileInfo(file).absolutePath() +
               QStringLiteral(" lässt sich nicht anlegen.");
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(kSettingsKey, nameOrPath);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return QStringLiteral("Die Einstellungsdatei ") + file +
               QStringLiteral(" lässt sich nicht schreiben.");
    return {};
}

QString ChooseHelper(const QString& programFolder, const QString& privateFolder) {
    const QString folder = FirstFolderHolding({programFolder, privateFolder}, kHelperName);
    // Without one the helper's start fails and says so, naming the program's folder.
    return (folder.isEmpty() ? programFolder : folder) + QLatin1Char('/') + kHelperName;
}

} // namespace kc
