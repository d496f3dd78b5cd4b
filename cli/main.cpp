// SPDX-License-Identifier: Apache-2.0
// kartocheck-cli: the test tool's flows on the console, on the same core as
// the window. Each command lives in a file of its own.

#include "command_line.h"
#include "console_io.h"
#include "console_run.h"
#include "core_application.h"
#include "diagnose_command.h"
#include "egk/schema_texts.h"
#include "interrupt_request.h"
#include "libraries_command.h"
#include "presenter/library_info.h"
#include "presenter/version_text.h"
#include "read_command.h"
#include "scan_command.h"
#include "status_command.h"
#include "trace_log.h"
#include "usage_text.h"

#include "base/program_folder.h"
#include "terminal/library_choice.h"

#include <QFile>
#include <map>

namespace {

using namespace kc::cli;
using kc::FindLibraryChoice;
using kc::LibraryChoice;
using kc::LibraryOrigin;
using kc::PrivateLibraryFolder;
using kc::ProgramFolder;

using Command = int (*)(ConsoleRun&, const CommandLine&);

const std::map<QString, Command>& CommandFunctions() {
    static const std::map<QString, Command> kCommands = {
        {QStringLiteral("read"), RunReadCommand},
        {QStringLiteral("scan"), RunScanCommand},
        {QStringLiteral("status"), RunStatusCommand},
        {QStringLiteral("diagnose"), RunDiagnoseCommand},
    };
    return kCommands;
}

int WrongCall(Console& console, const UsageError& error) {
    console.messages.writeLine(QStringLiteral("kartocheck-cli: ") + error.message);
    console.messages.writeLine(UsageHint(error.command));
    return kStatusUsage;
}

int Run(Console& console, const CommandLine& line) {
    switch (line.action) {
    case CommandLine::Action::Help:
        console.data.writeLine(
            UsageText(line.command.isEmpty() ? ProgramUsageSections() : CommandUsageSections(line.command)));
        return 0;
    case CommandLine::Action::Version:
        console.data.write(kc::VersionText(QStringLiteral("kartocheck-cli"), kc::InspectTerminalLibrary(),
                                           kc::SchemaFolder()));
        return 0;
    case CommandLine::Action::Run:
        break;
    }
    if (line.command == QLatin1String("libraries"))
        return RunLibrariesCommand(console, line);
    const LibraryChoice choice = FindLibraryChoice(ProgramFolder(), PrivateLibraryFolder(), line.run.library);
    if (choice.origin == LibraryOrigin::Nothing) {
        console.messages.writeLine(NoLibraryChosenText(choice));
        return kStatusFatal;
    }
    // --library stands above KARTOCHECK_CTAPI: it takes its place for this call.
    if (choice.origin == LibraryOrigin::ForThisCall)
        qputenv("KARTOCHECK_CTAPI", QFile::encodeName(choice.file));
    std::unique_ptr<TraceLog> trace;
    if (!line.run.traceTarget.isEmpty()) {
        kc::Result<std::unique_ptr<TraceLog>> opened = TraceLog::open(line.run.traceTarget);
        if (!opened.ok())
            return WrongCall(console, {QStringLiteral("Die Trace-Datei ") + line.run.traceTarget +
                                           QStringLiteral(" lässt sich nicht schreiben: ") + opened.error(),
                                       line.command});
        trace = std::move(opened.value());
    }
    const auto application = MakeCoreApplication();
    const InterruptRequest interrupt;
    ConsoleRun run(console, line.run, trace.get());
    return CommandFunctions().at(line.command)(run, line);
}

} // namespace

int main(int argc, char** argv) {
    Console console;
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const auto parsed = ParseCommandLine(args);
    if (const auto* error = std::get_if<UsageError>(&parsed))
        return WrongCall(console, *error);
    return Run(console, std::get<CommandLine>(parsed));
}
