#include "version_text.h"

#include "library_info.h"

namespace kc::cli {

QString ProgramVersion() {
    return QStringLiteral(KC_PROJECT_VERSION);
}

QString VersionText(const LibraryInfo& library) {
    QString text = QStringLiteral("kartocheck-cli ") + ProgramVersion() + QLatin1Char('\n');
    if (library.path.isEmpty()) {
        text += QStringLiteral("Terminal-Bibliothek: ") + library.requested +
                QStringLiteral(" (nicht verwendbar: ") + library.problem + QStringLiteral(")\n");
        return text;
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
    return text;
}

} // namespace kc::cli
