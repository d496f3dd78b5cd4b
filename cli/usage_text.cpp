// SPDX-License-Identifier: Apache-2.0
#include "usage_text.h"

#include "command_line.h"

#include "base/program_folder.h"

#include <QStringList>

namespace kc::cli {
namespace {

const QString kProgram = QStringLiteral("kartocheck-cli");
constexpr int kTermWidth = 24;

// Continuation lines of a described item start under its description.
QString Item(const QString& term, const QString& description) {
    const QString indent(kTermWidth + 2, QLatin1Char(' '));
    QString lines = QString(description).replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
    const QString head = QStringLiteral("  ") + term;
    if (head.size() >= kTermWidth + 2)
        return head + QLatin1Char('\n') + indent + lines;
    return head.leftJustified(kTermWidth + 2) + lines;
}

QString Synopsis(const ConsoleCommand& command) {
    return kProgram + QLatin1Char(' ') + command.name +
           (command.needsPort ? QStringLiteral(" PN") : QString()) + QStringLiteral(" [OPTIONEN]");
}

QString OptionTerm(const ConsoleOption& option) {
    QString term =
        option.shortName.isEmpty() ? QStringLiteral("    ") : option.shortName + QStringLiteral(", ");
    term += option.name;
    if (!option.valueName.isEmpty())
        term += QLatin1Char(' ') + option.valueName;
    return term;
}

QString CommandNames(int bits) {
    if (bits == kEveryBit)
        return QStringLiteral("alle Befehle");
    QStringList names;
    for (const ConsoleCommand& command : ConsoleCommands())
        if (bits & command.bit)
            names.append(command.name);
    return names.join(QStringLiteral(", "));
}

QString OptionLines(int commandBit, bool sayWhere) {
    QStringList lines;
    for (const ConsoleOption& option : ConsoleOptions()) {
        if (!(option.commands & commandBit))
            continue;
        QString help = option.help;
        if (sayWhere)
            help += QStringLiteral("\n(") + CommandNames(option.commands) + QLatin1Char(')');
        lines.append(Item(OptionTerm(option), help));
    }
    lines.append(Item(QStringLiteral("-h, --help"), QStringLiteral("diese Hilfe")));
    return lines.join(QLatin1Char('\n'));
}

UsageSection PortSection() {
    return {QStringLiteral("Portnummer PN"),
            QStringLiteral("  Die CT-API Portnummer, dezimal oder mit 0x hexadezimal, 1 bis 65535:\n"
                           "  1-4 COM 1-4, 5-256 weitere serielle Ports, 8192+n (0x2000+n) USB\n"
                           "  Device n+1. Welches Gerät zu einer Nummer gehört, legt die Terminal-\n"
                           "  Bibliothek fest.")};
}

UsageSection OutputSection() {
    return {QStringLiteral("Ausgabe"),
            QStringLiteral("  Kartendaten, Statusseiten, eGK Informationen und --json auf der\n"
                           "  Standardausgabe; Statuszeile, Meldungen mit ihren Antworten, Hinweise\n"
                           "  und Fehler auf der Standardfehlerausgabe.")};
}

UsageSection QuestionSection() {
    return {
        QStringLiteral("Fragen"),
        QStringLiteral("  Meldungen werden mit Titel, Text und Schaltflächen ausgegeben. Antworten: j/ja,\n"
                       "  n/nein, o/ok, a/abbrechen; eine leere Zeile wählt die Vorgabe.\n"
                       "  Ende der Eingabe: die Frage, an der die Eingabe endet, nimmt ihre Vorgabe; jede\n"
                       "  weitere Frage dieses Vorgangs nimmt ihre letzte Schaltfläche (Nein, Abbrechen);\n"
                       "  nach dem Vorgang endet das Programm mit Rückgabewert 4.\n"
                       "  Strg+C: der laufende Vorgang wird zu Ende geführt, jede weitere Frage nimmt ihre\n"
                       "  letzte Schaltfläche, Rückgabewert 4; ein zweites Strg+C beendet sofort.\n"
                       "  --batch: es wird nie gefragt; jede Meldung nimmt ihre Vorgabe, dieselbe Frage\n"
                       "  unmittelbar noch einmal ihre letzte Schaltfläche. Die Warnung vor dem Löschen des\n"
                       "  gespeicherten Datensatzes eines mobilen Terminals hat die Vorgabe Nein; nur\n"
                       "  --erase beantwortet sie mit Ja.")};
}

const QString kFatalStatus =
    QStringLiteral("  2   schwerer Fehler: keine Terminal-Bibliothek gewählt, sie fehlt oder ihr\n"
                   "      fehlen Einsprungpunkte\n");
const QString kEndedAndUsageStatus =
    QStringLiteral("  4   von der Person (Strg+C) oder vom Eingabeende bei einer Frage beendet\n"
                   "  64  falscher Aufruf");

QString CardStatuses() {
    return QStringLiteral(
               "  0   Kartendaten gelesen, jedes eGK Dokument geladen (mit --validate: gültig);\n"
               "      ein per PIN geschütztes EF.GVD (6982) zählt als gelesen\n"
               "  1   keine Kartendaten: kein Terminal, keine Karte, abgelehnt oder abgebrochen;\n"
               "      scan: die Suche wurde abgebrochen, weil die Terminalbibliothek nicht antwortet\n") +
           kFatalStatus +
           QStringLiteral(
               "  3   Kartendaten gelesen, aber ein eGK Dokument nicht geladen oder nicht gültig\n") +
           kEndedAndUsageStatus;
}

QString PortStatuses() {
    return QStringLiteral("  0   ein Terminal antwortet am Port\n"
                          "  1   kein Terminal am Port\n") +
           kFatalStatus + kEndedAndUsageStatus;
}

UsageSection ExitSection(const QString& command) {
    if (command == QLatin1String("libraries"))
        return {QStringLiteral("Rückgabewerte"),
                QStringLiteral("  0   Liste ausgegeben oder Wahl geschrieben\n"
                               "  1   Bibliothek nicht gefunden oder Einstellungsdatei nicht geschrieben\n"
                               "  64  falscher Aufruf")};
    if (command == QLatin1String("status"))
        return {QStringLiteral("Rückgabewerte"), PortStatuses()};
    if (!command.isEmpty())
        return {QStringLiteral("Rückgabewerte"), CardStatuses()};
    return {QStringLiteral("Rückgabewerte"),
            CardStatuses() +
                QStringLiteral("\n  status: 0 ein Terminal antwortet am Port, 1 keines; 2, 4, 64 wie oben.\n"
                               "  libraries: 0 ausgegeben oder gewählt, 1 nicht gewählt, 64 wie oben.")};
}

UsageSection LibrarySection() {
    return {
        QStringLiteral("Terminal-Bibliothek"),
        QStringLiteral("  Die erste Angabe gilt: --library, dann KARTOCHECK_CTAPI, dann der Schlüssel\n"
                       "  ctapi in ~/.config/kartocheck/kartocheck.ini (schreibt: libraries --use), dann\n"
                       "  libctzav32.so neben dem Programm, im Ordner ") +
            PrivateLibraryFolder() +
            QStringLiteral(" und auf dem Suchpfad\n"
                           "  der Bibliotheken. Ein bloßer Name wird im Ordner ") +
            PrivateLibraryFolder() +
            QStringLiteral(" gesucht.\n"
                           "  Ohne jede Wahl geben read, scan, status und diagnose die vorhandenen\n"
                           "  Bibliotheken aus und enden mit Rückgabewert 2.")};
}

UsageSection EnvironmentSection() {
    return {QStringLiteral("Umgebung"),
            Item(QStringLiteral("KARTOCHECK_CTAPI"),
                 QStringLiteral("die CT-API Bibliothek, wenn --library keine nennt\n"
                                "(Reihenfolge: Terminal-Bibliothek oben)")) +
                QLatin1Char('\n') +
                Item(QStringLiteral("KARTOCHECK_COM<n>"),
                     QStringLiteral("das Gerät für COM n; sonst /dev/ttyS<n-1>")) +
                QLatin1Char('\n') +
                Item(QStringLiteral("MKTSIM_SCENARIO"),
                     QStringLiteral("das Szenario, das der Simulator spielt (sim/scenarios)"))};
}

} // namespace

std::vector<UsageSection> ProgramUsageSections() {
    QStringList synopsis;
    QStringList commands;
    for (const ConsoleCommand& command : ConsoleCommands()) {
        synopsis.append(QStringLiteral("  ") + Synopsis(command));
        commands.append(
            Item(command.name + (command.needsPort ? QStringLiteral(" PN") : QString()), command.summary));
    }
    synopsis.append(QStringLiteral("  ") + kProgram + QStringLiteral(" help [BEFEHL] | --help | --version"));
    commands.append(
        Item(QStringLiteral("help [BEFEHL]"), QStringLiteral("diese Hilfe oder die eines Befehls")));
    return {
        {QStringLiteral("Aufruf"), synopsis.join(QLatin1Char('\n'))},
        {QStringLiteral("Befehle"), commands.join(QLatin1Char('\n'))},
        PortSection(),
        {QStringLiteral("Optionen"), OptionLines(kEveryBit, true) + QLatin1Char('\n') +
                                         Item(QStringLiteral("    --version"),
                                              QStringLiteral("Version, Terminal-Bibliothek und ihr Pfad"))},
        OutputSection(),
        QuestionSection(),
        ExitSection({}),
        LibrarySection(),
        EnvironmentSection()};
}

std::vector<UsageSection> CommandUsageSections(const QString& name) {
    for (const ConsoleCommand& command : ConsoleCommands()) {
        if (command.name != name)
            continue;
        std::vector<UsageSection> sections = {
            {QStringLiteral("Aufruf"),
             QStringLiteral("  ") + Synopsis(command) + QStringLiteral("\n  ") +
                 QString(command.summary).replace(QLatin1Char('\n'), QStringLiteral("\n  "))}};
        if (command.needsPort)
            sections.push_back(PortSection());
        sections.push_back({QStringLiteral("Optionen"), OptionLines(command.bit, false)});
        sections.push_back(ExitSection(command.name));
        sections.push_back(
            {QStringLiteral("Mehr"),
             QStringLiteral("  ") + kProgram + QStringLiteral(" --help: Ausgabe, Fragen, Umgebung")});
        return sections;
    }
    return ProgramUsageSections();
}

QString UsageText(const std::vector<UsageSection>& sections) {
    QStringList parts;
    for (const UsageSection& section : sections)
        parts.append(section.title + QStringLiteral(":\n") + section.body);
    return parts.join(QStringLiteral("\n\n"));
}

QString UsageHint(const QString& command) {
    return QStringLiteral("Hilfe: ") + kProgram +
           (command.isEmpty() ? QString() : QLatin1Char(' ') + command) + QStringLiteral(" --help");
}

} // namespace kc::cli
