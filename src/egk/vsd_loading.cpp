// SPDX-License-Identifier: Apache-2.0
#include "egk/vsd_loading.h"

#include "base/app_state.h"
#include "base/context.h"
#include "base/event_pump.h"
#include "base/message_boxes.h"
#include "base/status_line.h"
#include "egk/egk_mapping.h"
#include "egk/latin9.h"
#include "egk/schema_collection.h"
#include "egk/validation_texts.h"
#include "egk/vsd_decompression.h"
#include "egk/vsd_version.h"
#include "egk/xml_document.h"

namespace kc {
namespace {

// What tells the three documents apart.
struct DocumentKind {
    DocKind doc;
    QString decompressingText;
    QString validatingText;
    QString AppState::*schemaText;
    QString schemaName;
    QString prefix;
    bool (*map)(const XmlNode&, EgkFieldBuffer&, EgkResults&);
};

const DocumentKind& VdKind() {
    static const DocumentKind kind{
        DocKind::Vd,
        QStringLiteral("Allgemeine Versicherungsdaten werden dekomprimiert."),
        QStringLiteral("Allgemeine Versicherungsdaten werden validiert."),
        &AppState::SchemaTextVd,
        QStringLiteral("mittels vorgegebenen Schema für UC_allgemeineVersicherungsdatenXML "),
        QStringLiteral("Eine lokale Validierung der XML Daten "),
        MapVdDocument};
    return kind;
}

const DocumentKind& PdKind() {
    static const DocumentKind kind{
        DocKind::Pd,
        QStringLiteral("Persoenliche Versichertendaten werden dekomprimiert."),
        QStringLiteral("Persoenliche Versichertendaten werden validiert."),
        &AppState::SchemaTextPd,
        QStringLiteral("mittels vorgegebenen Schema für UC_PersoenlicheVersichertendatenXML "),
        QStringLiteral("Eine Validierung der XML Daten "),
        MapPdDocument};
    return kind;
}

const DocumentKind& GvdKind() {
    static const DocumentKind kind{
        DocKind::Gvd,
        QStringLiteral("Geschuetzte Versichertendaten werden dekomprimiert."),
        QStringLiteral("Geschuetzte Versichertendaten werden validiert."),
        &AppState::SchemaTextGvd,
        QStringLiteral("mittels vorgegebenen Schema für UC_geschuetzteVersichertendatenXML "),
        QStringLiteral("Eine Validierung der XML Daten "),
        MapGvdDocument};
    return kind;
}

ReadResult ReportError(Context& ctx, const XmlError& error) {
    ctx.boxes.inform(XmlErrorBoxText(error), MsgIcon::Critical);
    return ReadResult::Failed;
}

// A document that does not load is tried once more with its declaration
// replaced, which gets past an encoding the parser does not know.
ReadResult PlainLoad(const DocumentKind& kind, const QString& text, EgkFieldBuffer& fields,
                     EgkResults& results) {
    XmlDocument document;
    if (!document.loadXml(text)) {
        const qsizetype end = text.indexOf(QLatin1String("?>"));
        document.loadXml(end >= 0 ? QStringLiteral("<?xml version=\"1.0\"?>") + text.mid(end + 2)
                                  : QString());
    }
    const XmlNode root = document.documentElement();
    if (!root.isNull())
        kind.map(root, fields, results);
    return ReadResult::Done;
}

ReadResult ValidatedLoad(const DocumentKind& kind, Context& ctx, const QString& text, EgkFieldBuffer& fields,
                         EgkResults& results) {
    const int index = DocIndex(kind.doc);
    ctx.status.showStatus(kind.validatingText);

    SchemaXmlDocument document;
    if (!document.loadXml(text) || document.documentElement().isNull())
        return ReadResult::Failed;
    results.EgkXmlText[index] = document.xml();
    const QString documentNamespace = document.documentElement().namespaceUri();

    SchemaXmlDocument schemaDocument;
    SchemaCollection schemas;
    QString schemaVersion;
    if (schemaDocument.loadXml(ctx.state.*kind.schemaText)) {
        if (schemaDocument.namespaces().contains(documentNamespace)) {
            if (std::optional<XmlError> error =
                    schemas.add(documentNamespace, schemaDocument.documentElement()))
                return ReportError(ctx, *error);
            FindSchemaVersion(schemas.get(documentNamespace), schemaVersion);
            if (schemaVersion.isEmpty())
                FindDocumentVersion(schemaDocument.documentElement(), schemaVersion);
        }
    }

    QString documentVersion;
    FindDocumentVersion(document.documentElement(), documentVersion);
    results.EgkValidationWarning[index] = true;
    if (schemas.length() == 0) {
        results.EgkValidationText[index] = schemaDocument.documentElement().isNull()
                                               ? NoLocalSchemaText(kind.prefix, documentVersion)
                                               : NamespaceMismatchText(kind.prefix, documentVersion);
        return ReadResult::Done;
    }

    // The decompressed text itself is validated, not the serialisation.
    SchemaXmlDocument validated;
    validated.setValidateOnParse(true);
    validated.setSchemas(&schemas);
    validated.loadXml(text);
    if (validated.parseErrorCode() != 0) {
        results.EgkValidationText[index] =
            ValidationFailedText(documentVersion, kind.schemaName, schemaVersion);
        return ReadResult::Done;
    }
    kind.map(validated.documentElement(), fields, results);
    results.EgkValidationWarning[index] = false;
    results.EgkValidationText[index] = ValidationPassedText(documentVersion, kind.schemaName, schemaVersion);
    return ReadResult::Done;
}

ReadResult LoadDocument(const DocumentKind& kind, Context& ctx, const QByteArray& compressed,
                        EgkFieldBuffer& fields, int slot) {
    ctx.status.showStatus(kind.decompressingText);
    if (compressed.isEmpty())
        return ReadResult::Failed;
    const auto decompressed = DecompressVsd(compressed);
    if (!decompressed.ok() && decompressed.error().kind == DecompressionFailure::Kind::ScratchFailed)
        return ReportError(ctx, decompressed.error().error);
    ctx.pump.runPendingOnce();
    if (!decompressed.ok())
        return ReadResult::Refused;

    EgkResults& results = ctx.state.tables.egk[slot];
    const int index = DocIndex(kind.doc);
    const QString text = Latin9ToString(decompressed.value());
    results.EgkXmlText[index] = text;
    results.EgkValidationText[index] = NoValidationText();
    results.EgkValidationWarning[index] = true;
    if (!ctx.state.ValidationEnabled)
        return PlainLoad(kind, text, fields, results);
    return ValidatedLoad(kind, ctx, text, fields, results);
}

} // namespace

ReadResult LoadVdDocument(Context& ctx, const QByteArray& compressed, EgkFieldBuffer& fields, int slot) {
    return LoadDocument(VdKind(), ctx, compressed, fields, slot);
}

ReadResult LoadPdDocument(Context& ctx, const QByteArray& compressed, EgkFieldBuffer& fields, int slot) {
    return LoadDocument(PdKind(), ctx, compressed, fields, slot);
}

ReadResult LoadGvdDocument(Context& ctx, const QByteArray& compressed, EgkFieldBuffer& fields, int slot) {
    return LoadDocument(GvdKind(), ctx, compressed, fields, slot);
}

} // namespace kc
