#include "read_options.h"

#include "command_line.h"
#include "console_io.h"

#include <QFileInfo>
#include <algorithm>

namespace kc::cli {
namespace {

// The schema options, in the order of the schema texts.
const std::array<QString, 3> kSchemaOptions = {QStringLiteral("--schema-vd"), QStringLiteral("--schema-pd"),
                                               QStringLiteral("--schema-gvd")};

std::optional<ReadOptions> Fail(Console& console, const QString& text) {
    console.writeLine(text);
    return std::nullopt;
}

} // namespace

std::optional<ReadOptions> ParseReadOptions(const QStringList& args, Console& console) {
    ReadOptions options;
    bool havePort = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--trace")) {
            options.trace = true;
        } else if (arg == QLatin1String("--xml")) {
            options.xml = true;
        } else if (arg == QLatin1String("--validate")) {
            options.validate = true;
        } else if (const auto k = std::find(kSchemaOptions.begin(), kSchemaOptions.end(), arg);
                   k != kSchemaOptions.end()) {
            if (i + 1 >= args.size())
                return Fail(console, QStringLiteral("Die Schemadatei fehlt: ") + arg);
            const QString file = args[++i];
            if (!QFileInfo(file).isFile())
                return Fail(console, QStringLiteral("Schemadatei nicht gefunden: ") + file);
            options.schemaFiles[std::size_t(k - kSchemaOptions.begin())] = file;
        } else if (const std::optional<uint16_t> pn = havePort ? std::nullopt : ParsePortNumber(arg)) {
            options.pn = *pn;
            havePort = true;
        } else {
            return Fail(console, QStringLiteral("Unbekannte Angabe: ") + arg);
        }
    }
    if (!havePort)
        return Fail(console, QStringLiteral("Die Portnummer fehlt."));
    return options;
}

} // namespace kc::cli
