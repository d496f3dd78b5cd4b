// kartocheck-cli: the test tool's flows on the console, on the same core as
// the window. Each subcommand lives in a file of its own.

#include "command_line.h"
#include "console_io.h"
#include "diagnose_command.h"
#include "read_command.h"
#include "scan_command.h"

#include <QStringList>
#include <functional>
#include <map>

namespace {

using Command = std::function<int(const QStringList&, kc::cli::Console&)>;

const std::map<QString, Command>& Commands() {
    static const std::map<QString, Command> kCommands = {
        {QStringLiteral("read"), kc::cli::RunReadCommand},
        {QStringLiteral("scan"), kc::cli::RunScanCommand},
        {QStringLiteral("diagnose"), kc::cli::RunDiagnoseCommand},
    };
    return kCommands;
}

} // namespace

int main(int argc, char** argv) {
    kc::cli::Console console;
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const auto command = args.isEmpty() ? Commands().end() : Commands().find(args.first());
    if (command == Commands().end()) {
        console.writeLine(kc::cli::UsageText());
        return kc::cli::kUsageStatus;
    }
    return command->second(args.mid(1), console);
}
