// SPDX-License-Identifier: Apache-2.0
#include "presenter/version_text.h"

#include "base/version.h"
#include "presenter/library_info.h"

namespace kc {

QString ProgramVersion() {
    return QString::fromLatin1(kProgramVersion);
}

QString VersionText(const QString& program, const LibraryInfo& library, const QString& schemaFolder) {
    QString text = program + QLatin1Char(' ') + ProgramVersion() + QLatin1Char('\n');
    const QString schemas = QStringLiteral("Schema-Ordner: ") + schemaFolder + QLatin1Char('\n');
    if (library.path.isEmpty()) {
        text += QStringLiteral("Terminal-Bibliothek: ") + library.requested +
                QStringLiteral(" (nicht verwendbar: ") + library.problem + QStringLiteral(")\n");
        return text + schemas;
    }
    text += QStringLiteral("Terminal-Bibliothek: ") + library.path;
    if (library.simulator) {
        const QString scenario = qEnvironmentVariable("MKTSIM_SCENARIO");
        text += QStringLiteral(" (Simulator, Szenario: ") +
                (scenario.isEmpty() ? QStringLiteral("eingebaut") : scenario) + QLatin1Char(')');
    }
    text += QStringLiteral("\nEinsprungpunkte: ") + library.entryPoints.join(QStringLiteral(", ")) +
            QLatin1Char('\n');
    if (!library.problem.isEmpty())
        text += QStringLiteral("Nicht verwendbar: ") + library.problem + QLatin1Char('\n');
    return text + schemas;
}

QString LibraryLine(const LibraryInfo& library) {
    const QString file = library.path.isEmpty() ? library.requested : library.path;
    return QStringLiteral("Terminal-Bibliothek: ") + file +
           (library.simulator ? QStringLiteral(" (Simulator)") : QString());
}

QString SimulatorNotice(const LibraryInfo& library) {
    if (!library.simulator)
        return {};
    return QStringLiteral("Simulator als Terminal-Bibliothek: ") + library.path;
}

QString MainWindowTitle(bool simulator) {
    return simulator ? QStringLiteral("KartoCheck \u2013 Simulator") : QStringLiteral("KartoCheck");
}

QString LibraryInUseText(const QString& file) {
    return QStringLiteral("Terminal-Bibliothek: ") + file;
}

} // namespace kc
