#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace kc::cli {

class Console;

// The options of "read": PN [--trace] [--xml] [--validate]
// [--schema-vd FILE] [--schema-pd FILE] [--schema-gvd FILE].
struct ReadOptions {
    uint16_t pn = 0;
    bool trace = false;
    bool xml = false;
    bool validate = false;
    // Replacement schema files in the order VD, PD, GVD; empty keeps the one next to the program.
    std::array<QString, 3> schemaFiles;
};

// Nothing after telling the person on the console what is wrong.
std::optional<ReadOptions> ParseReadOptions(const QStringList& args, Console& console);

} // namespace kc::cli
