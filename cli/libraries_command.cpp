// SPDX-License-Identifier: Apache-2.0
#include "libraries_command.h"

#include "base/program_folder.h"
#include "command_line.h"
#include "console_io.h"
#include "exit_status.h"
#include "presenter/library_catalogue.h"
#include "presenter/library_use.h"

#include <QFileInfo>
#include <QStringList>

namespace kc::cli {
namespace {

QString OriginText(LibraryOrigin origin) {
    switch (origin) {
    case LibraryOrigin::ForThisCall:
        return QStringLiteral("--library");
    case LibraryOrigin::Environment:
        return QStringLiteral("KARTOCHECK_CTAPI");
    case LibraryOrigin::SettingsFile:
        return QStringLiteral("Einstellungsdatei ") + LibrarySettingsFile();
    case LibraryOrigin::DefaultName:
        return QStringLiteral("Vorgabe ") + QLatin1String(kDefaultLibraryName);
    case LibraryOrigin::Nothing:
        break;
    }
    return {};
}

bool IsInUse(const LibraryEntry& entry, const LibraryChoice& choice) {
    if (choice.origin == LibraryOrigin::Nothing)
        return false;
    if (!choice.file.contains(QLatin1Char('/')))
        return entry.name == choice.file;
    return QFileInfo(entry.path).canonicalFilePath() == QFileInfo(choice.file).canonicalFilePath();
}

// libraries --use: the library was not found or the settings file not written.
constexpr int kStatusNotChosen = 1;

const QString kHowToChoose =
    QStringLiteral("Wählen: kartocheck-cli libraries --use NAME|PFAD (für jeden weiteren Aufruf und das "
                   "Fenster)\n        kartocheck-cli BEFEHL --library NAME|PFAD (nur für diesen Aufruf)");

} // namespace

QString LibraryListText(const LibraryChoice& choice) {
    const QList<LibraryEntry> entries = FindInstalledLibraries();
    QStringList lines;
    if (entries.isEmpty())
        lines.append(QStringLiteral("Keine Terminal-Bibliothek installiert (Pakete kartocheck-pcsc, "
                                    "kartocheck-serial, kartocheck-simulator)."));
    else
        lines.append(QStringLiteral("Terminal-Bibliotheken (* in Gebrauch):"));
    for (const LibraryEntry& entry : entries)
        lines.append((IsInUse(entry, choice) ? QStringLiteral("* ") : QStringLiteral("  ")) + entry.name +
                     QStringLiteral("  ") + entry.path + QStringLiteral("  ") + entry.purpose +
                     (entry.simulator ? QStringLiteral(" [Simulator]") : QString()));
    lines.append(FindLikelyFit(entries, ProbeMachine()).text);
    if (choice.origin == LibraryOrigin::Nothing)
        lines.append(QStringLiteral("In Gebrauch: keine"));
    else
        lines.append(QStringLiteral("In Gebrauch: ") + choice.file + QStringLiteral(" (") +
                     OriginText(choice.origin) + QLatin1Char(')'));
    lines.append(kHowToChoose);
    return lines.join(QLatin1Char('\n'));
}

QString NoLibraryChosenText(const LibraryChoice& choice) {
    return QStringLiteral("kartocheck-cli: Keine Terminal-Bibliothek gewählt.\n") + LibraryListText(choice);
}

QString MissingLibraryHint(const QString& file) {
    return QStringLiteral("Gesucht wurde die Terminal-Bibliothek ") + file +
           QStringLiteral("; eine andere zeigt und wählt: kartocheck-cli libraries");
}

int RunLibrariesCommand(Console& console, const CommandLine& line) {
    if (line.useLibrary.isEmpty()) {
        console.data.writeLine(
            LibraryListText(FindLibraryChoice(ProgramFolder(), PrivateLibraryFolder(), line.run.library)));
        return kStatusComplete;
    }
    const Result<QString> saved = SaveLibraryUse(line.useLibrary);
    if (!saved.ok()) {
        console.messages.writeLine(QStringLiteral("kartocheck-cli: ") + saved.error());
        return kStatusNotChosen;
    }
    console.data.writeLine(QStringLiteral("Terminal-Bibliothek gewählt: ") + saved.value() +
                           QStringLiteral(" (in ") + LibrarySettingsFile() + QLatin1Char(')'));
    return kStatusComplete;
}

} // namespace kc::cli
