// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace kc::cli {

// The commands an option applies to, as bits.
// kAllBits: the commands that talk to a terminal; libraries only lists and chooses.
enum CommandBit : int {
    kReadBit = 1,
    kScanBit = 2,
    kStatusBit = 4,
    kDiagnoseBit = 8,
    kAllBits = 15,
    kLibrariesBit = 16,
    kEveryBit = 31
};

struct ConsoleCommand {
    QString name;
    int bit;
    bool needsPort;
    QString summary; // what the command does, for the usage text
};
const std::vector<ConsoleCommand>& ConsoleCommands();

enum class OptionId {
    Quiet,
    Trace,
    Batch,
    Erase,
    Json,
    Xml,
    Validate,
    SchemaVd,
    SchemaPd,
    SchemaGvd,
    Library,
    UseLibrary
};

struct ConsoleOption {
    OptionId id;
    QString name;      // --quiet
    QString shortName; // -q, or empty
    QString valueName; // DATEI for an option that takes a value, else empty
    int commands;      // CommandBit set
    QString help;
};
const std::vector<ConsoleOption>& ConsoleOptions();

// Options that shape how a run talks to the person and the script.
struct RunOptions {
    bool quiet = false;
    bool batch = false;
    bool erase = false;
    bool json = false;
    QString traceTarget; // empty: no trace; "-": the message stream
    QString library;     // --library: the terminal library of this call; empty: the usual choice
};

// Options of the eGK read.
struct ReadOptions {
    bool xml = false;
    bool validate = false;
    // Replacement schema files in the order VD, PD, GVD; empty keeps the one next to the program.
    std::array<QString, 3> schemaFiles;
};

struct CommandLine {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    QString command; // empty with Help: the whole program's usage
    uint16_t pn = 0;
    RunOptions run;
    ReadOptions read;
    QString useLibrary; // libraries --use: the choice to write
};

// What is wrong with a call, and the command whose usage would help (or none).
struct UsageError {
    QString message;
    QString command;
};

[[nodiscard]] std::variant<CommandLine, UsageError> ParseCommandLine(const QStringList& args);

// A CT-API port number, decimal or 0x-hexadecimal, 1 to 65535.
[[nodiscard]] std::optional<uint16_t> ParsePortNumber(const QString& text);

} // namespace kc::cli
