// SPDX-License-Identifier: Apache-2.0
#include "command_line.h"

#include <QFileInfo>
#include <algorithm>

namespace kc::cli {
namespace {

bool IsHelpWord(const QString& arg) {
    return arg == QLatin1String("-h") || arg == QLatin1String("--help");
}

const ConsoleCommand* FindCommand(const QString& name) {
    const auto& commands = ConsoleCommands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const ConsoleCommand& c) { return c.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

const ConsoleOption* FindOption(const QString& arg, int commandBit) {
    for (const ConsoleOption& option : ConsoleOptions()) {
        if ((option.commands & commandBit) &&
            (arg == option.name || (!option.shortName.isEmpty() && arg == option.shortName)))
            return &option;
    }
    return nullptr;
}

QString PortNumberError(const QString& text) {
    return QStringLiteral("Ungültige Portnummer: ") + text +
           QStringLiteral(
               "\nErlaubt sind 1 bis 65535 (oder 0x1 bis 0xFFFF): 1-4 COM 1-4, 5-256 weitere serielle "
               "Ports, 8192-8447 (0x2000-0x20FF) USB Device 1-256.");
}

// Sets what an option stands for; a message when its value is unusable.
std::optional<QString> Apply(const ConsoleOption& option, const QString& value, CommandLine& line) {
    switch (option.id) {
    case OptionId::Quiet:
        line.run.quiet = true;
        break;
    case OptionId::Trace:
        line.run.traceTarget = value;
        break;
    case OptionId::Batch:
        line.run.batch = true;
        break;
    case OptionId::Erase:
        line.run.erase = true;
        break;
    case OptionId::Json:
        line.run.json = true;
        break;
    case OptionId::Xml:
        line.read.xml = true;
        break;
    case OptionId::Validate:
        line.read.validate = true;
        break;
    case OptionId::Library:
    case OptionId::UseLibrary:
        if (value.trimmed().isEmpty())
            return QStringLiteral("Zu ") + option.name +
                   QStringLiteral(" fehlt der Name der Terminal-Bibliothek.");
        (option.id == OptionId::Library ? line.run.library : line.useLibrary) = value;
        break;
    case OptionId::SchemaVd:
    case OptionId::SchemaPd:
    case OptionId::SchemaGvd:
        if (!QFileInfo(value).isFile())
            return QStringLiteral("Schemadatei nicht gefunden: ") + value;
        line.read.schemaFiles[std::size_t(int(option.id) - int(OptionId::SchemaVd))] = value;
        break;
    }
    return std::nullopt;
}

std::variant<CommandLine, UsageError> ParseCommandArgs(const ConsoleCommand& command,
                                                       const QStringList& args) {
    CommandLine line;
    line.command = command.name;
    bool havePort = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            const ConsoleOption* option = FindOption(arg, command.bit);
            if (!option)
                return UsageError{QStringLiteral("Unbekannte Option für ") + command.name +
                                      QStringLiteral(": ") + arg,
                                  command.name};
            QString value;
            if (!option->valueName.isEmpty()) {
                if (i + 1 >= args.size())
                    return UsageError{QStringLiteral("Zu ") + arg + QStringLiteral(" fehlt die Angabe ") +
                                          option->valueName + QLatin1Char('.'),
                                      command.name};
                value = args[++i];
            }
            if (const std::optional<QString> problem = Apply(*option, value, line))
                return UsageError{*problem, command.name};
            continue;
        }
        if (!command.needsPort || havePort)
            return UsageError{QStringLiteral("Überzählige Angabe: ") + arg, command.name};
        const std::optional<uint16_t> pn = ParsePortNumber(arg);
        if (!pn)
            return UsageError{PortNumberError(arg), command.name};
        line.pn = *pn;
        havePort = true;
    }
    if (command.needsPort && !havePort)
        return UsageError{QStringLiteral("Die Portnummer PN fehlt."), command.name};
    if (line.run.erase && !line.run.batch)
        return UsageError{QStringLiteral("--erase gilt nur zusammen mit --batch; ohne --batch wird gefragt."),
                          command.name};
    return line;
}

CommandLine HelpFor(const QString& command) {
    CommandLine line;
    line.action = CommandLine::Action::Help;
    line.command = command;
    return line;
}

} // namespace

const std::vector<ConsoleCommand>& ConsoleCommands() {
    static const std::vector<ConsoleCommand> kEntries = {
        {QStringLiteral("read"), kReadBit, true,
         QStringLiteral("prüft den Port PN und liest dort die Versicherten-\n"
                        "karte oder den gespeicherten Datensatz eines mobilen\n"
                        "Terminals; gibt Kartendaten, Statusseite und bei\n"
                        "einer eGK die eGK Informationen aus")},
        {QStringLiteral("scan"), kScanBit, false,
         QStringLiteral("prüft COM 1 bis COM 4 und jede weitere Portnummer,\n"
                        "die die Terminal-Bibliothek annimmt, liest die Karte,\n"
                        "wo ein Terminal antwortet, und gibt das Ergebnis,\n"
                        "jede Statusseite, die weiteren Schnittstellen und\n"
                        "die ersten Kartendaten aus")},
        {QStringLiteral("status"), kStatusBit, true,
         QStringLiteral("prüft den Port PN wie die Suche und gibt seine\n"
                        "Statusseite aus; liest keine Karte")},
        {QStringLiteral("diagnose"), kDiagnoseBit, true,
         QStringLiteral("führt im Dialog durch die üblichen Ursachen, wenn\n"
                        "am Port PN kein Terminal antwortet, und prüft den\n"
                        "Port danach erneut")},
        {QStringLiteral("libraries"), kLibrariesBit, false,
         QStringLiteral("zeigt die Terminal-Bibliotheken mit Pfad und Zweck,\n"
                        "markiert die in Gebrauch und nennt die vermutlich\n"
                        "passende; mit --use wird eine gewählt")},
    };
    return kEntries;
}

const std::vector<ConsoleOption>& ConsoleOptions() {
    static const std::vector<ConsoleOption> kEntries = {
        {OptionId::Quiet,
         QStringLiteral("--quiet"),
         QStringLiteral("-q"),
         {},
         kAllBits,
         QStringLiteral("keine Statuszeile ausgeben")},
        {OptionId::Trace,
         QStringLiteral("--trace"),
         {},
         QStringLiteral("DATEI"),
         kAllBits,
         QStringLiteral("jedes Kommando an das Terminal und seine Antwort\n"
                        "mit Zeitstempel an DATEI anhängen; - schreibt auf\n"
                        "die Standardfehlerausgabe. Der Trace enthält die\n"
                        "Daten der versicherten Person: DATEI ist nur für\n"
                        "den Benutzer lesbar (Modus 0600), ein symbolischer\n"
                        "Verweis wird abgelehnt")},
        {OptionId::Batch,
         QStringLiteral("--batch"),
         {},
         {},
         kAllBits,
         QStringLiteral("nie fragen: jede Meldung wird ausgegeben und nimmt\n"
                        "ihre Vorgabe")},
        {OptionId::Erase,
         QStringLiteral("--erase"),
         {},
         {},
         kReadBit | kScanBit | kDiagnoseBit,
         QStringLiteral("nur mit --batch: den gespeicherten Datensatz eines\n"
                        "mobilen Terminals lesen und danach löschen (die\n"
                        "Warnung davor wird mit Ja beantwortet)")},
        {OptionId::Json,
         QStringLiteral("--json"),
         {},
         {},
         kReadBit | kScanBit | kStatusBit,
         QStringLiteral("die Ergebnisse als ein JSON-Dokument auf der\n"
                        "Standardausgabe (Schema: kartocheck-cli.schema.json)")},
        {OptionId::Xml,
         QStringLiteral("--xml"),
         {},
         {},
         kReadBit,
         QStringLiteral("die dekomprimierten XML Daten der eGK ausgeben")},
        {OptionId::Validate,
         QStringLiteral("--validate"),
         {},
         {},
         kReadBit | kScanBit | kDiagnoseBit,
         QStringLiteral("die XML Daten der eGK lokal gegen die Schemadateien\n"
                        "neben dem Programm validieren")},
        {OptionId::SchemaVd,
         QStringLiteral("--schema-vd"),
         {},
         QStringLiteral("DATEI"),
         kReadBit | kScanBit | kDiagnoseBit,
         QStringLiteral("anderes Schema für die allgemeinen Versicherungsdaten")},
        {OptionId::SchemaPd,
         QStringLiteral("--schema-pd"),
         {},
         QStringLiteral("DATEI"),
         kReadBit | kScanBit | kDiagnoseBit,
         QStringLiteral("anderes Schema für die persönlichen Versichertendaten")},
        {OptionId::SchemaGvd,
         QStringLiteral("--schema-gvd"),
         {},
         QStringLiteral("DATEI"),
         kReadBit | kScanBit | kDiagnoseBit,
         QStringLiteral("anderes Schema für die geschützten Versichertendaten")},
        {OptionId::Library,
         QStringLiteral("--library"),
         {},
         QStringLiteral("NAME|PFAD"),
         kEveryBit,
         QStringLiteral("die Terminal-Bibliothek nur für diesen Aufruf; ein\n"
                        "bloßer Name wird im Bibliotheksordner gesucht")},
        {OptionId::UseLibrary,
         QStringLiteral("--use"),
         {},
         QStringLiteral("NAME|PFAD"),
         kLibrariesBit,
         QStringLiteral("die Terminal-Bibliothek in die Einstellungsdatei\n"
                        "schreiben: sie gilt für jeden weiteren Aufruf und\n"
                        "das Fenster")},
    };
    return kEntries;
}

std::optional<uint16_t> ParsePortNumber(const QString& text) {
    bool ok = false;
    const uint value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toUInt(&ok, 16)
                                                                                 : text.toUInt(&ok, 10);
    if (!ok || value == 0 || value > 0xFFFF)
        return std::nullopt;
    return uint16_t(value);
}

std::variant<CommandLine, UsageError> ParseCommandLine(const QStringList& args) {
    if (args.isEmpty())
        return UsageError{QStringLiteral("Es fehlt ein Befehl."), {}};
    const QString& first = args.first();
    if (first == QLatin1String("help") || IsHelpWord(first)) {
        if (args.size() == 1)
            return HelpFor({});
        if (FindCommand(args[1]))
            return HelpFor(args[1]);
        return UsageError{QStringLiteral("Unbekannter Befehl: ") + args[1], {}};
    }
    if (first == QLatin1String("--version")) {
        if (args.size() > 1)
            return UsageError{QStringLiteral("Überzählige Angabe: ") + args[1], {}};
        CommandLine line;
        line.action = CommandLine::Action::Version;
        return line;
    }
    const ConsoleCommand* command = FindCommand(first);
    if (!command) {
        const QString what = first.startsWith(QLatin1Char('-')) ? QStringLiteral("Unbekannte Option: ")
                                                                : QStringLiteral("Unbekannter Befehl: ");
        return UsageError{what + first, {}};
    }
    if (std::any_of(args.begin() + 1, args.end(), IsHelpWord))
        return HelpFor(command->name);
    return ParseCommandArgs(*command, args.mid(1));
}

} // namespace kc::cli
