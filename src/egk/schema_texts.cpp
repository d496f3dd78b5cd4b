// SPDX-License-Identifier: Apache-2.0
#include "egk/schema_texts.h"

#include "base/app_state.h"
#include "base/program_folder.h"
#include "egk/latin9.h"
#include "egk/libxml_handles.h"
#include "egk/xml_parsing.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace kc {
namespace {

// Schema files are UTF-8 as a rule; a file that is not valid UTF-8 is taken
// one character per byte, so every file gives some text.
QString DecodeSchemaBytes(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? Latin9ToString(bytes) : text;
}

} // namespace

QString ChooseSchemaFolder(const QString& programFolder, const QString& dataFolder) {
    const QString folder = FirstFolderHolding({programFolder}, kSchemaFileNames[0]);
    return folder.isEmpty() ? dataFolder : folder;
}

QString SchemaFolder() {
    return ChooseSchemaFolder(ProgramFolder(), DataFolder());
}

QString SchemaTextFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = DecodeSchemaBytes(file.readAll());
    const qsizetype start = text.indexOf(QLatin1Char('<'));
    return start < 0 ? QString() : text.mid(start);
}

QString& SchemaText(AppState& state, int k) {
    switch (k) {
    case 0:
        return state.SchemaTextVd;
    case 1:
        return state.SchemaTextPd;
    default:
        return state.SchemaTextGvd;
    }
}

void LoadSchemaTexts(AppState& state, const QString& folder) {
    state.ValidationEnabled = false;
    const QDir dir(folder);
    for (int k = 0; k < int(kSchemaFileNames.size()); ++k)
        SchemaText(state, k) = SchemaTextFromFile(dir.filePath(kSchemaFileNames[std::size_t(k)]));
}

SchemaSupport ProbeSchemaSupport() {
#ifndef LIBXML_SCHEMAS_ENABLED
    return {SchemaSupport::State::NotInstalled, {}};
#else
    xml::PrepareLibrary();
    xml::ParserCtxtPtr parser(xmlNewParserCtxt());
    if (!parser)
        return {SchemaSupport::State::Failed,
                {0x8007000Eu, QStringLiteral("Der XML-Parser konnte nicht angelegt werden.")}};
    // The smallest schema there is must compile, or the library lacks schema support.
    static const char kEmptySchema[] = "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"/>";
    xml::SchemaParserCtxtPtr schemaParser(
        xmlSchemaNewMemParserCtxt(kEmptySchema, int(sizeof kEmptySchema - 1)));
    xml::ErrorCollector errors;
    if (schemaParser)
        xmlSchemaSetParserStructuredErrors(schemaParser.get(), xml::CollectError, &errors);
    xml::SchemaPtr schema(schemaParser ? xmlSchemaParse(schemaParser.get()) : nullptr);
    if (!schema)
        return {SchemaSupport::State::NotInstalled, {}};
    return {SchemaSupport::State::Available, {}};
#endif
}

} // namespace kc
