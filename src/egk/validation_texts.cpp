// SPDX-License-Identifier: Apache-2.0
#include "egk/validation_texts.h"

#include "base/message_boxes.h"

namespace kc {
namespace {

QString NotCarriedOut(const QString& prefix, const QString& documentVersion, const QString& reason) {
    return prefix + documentVersion + QStringLiteral(" konnte nicht durchgeführt werden!") + kCrLf + kCrLf +
           reason;
}

QString Outcome(const QString& documentVersion, const QString& schemaName, const QString& schemaVersion,
                const QString& verdict) {
    return QStringLiteral("Die lokale Validierung der XML Daten ") + documentVersion + kCrLf + schemaName +
           QLatin1Char('(') + schemaVersion + QLatin1Char(')') + kCrLf + verdict;
}

} // namespace

QString NoValidationText() {
    return QStringLiteral("Es wurde keine Validierung der XML Daten durchgeführt!");
}

QString NamespaceMismatchText(const QString& prefix, const QString& documentVersion) {
    return NotCarriedOut(
        prefix, documentVersion,
        QStringLiteral("Der URI-Verweis für den Namespace dieses Schemas ist nicht zutreffend!"));
}

QString NoLocalSchemaText(const QString& prefix, const QString& documentVersion) {
    return NotCarriedOut(prefix, documentVersion, QStringLiteral("Kein lokales XSD-Schema verfügbar! "));
}

QString ValidationFailedText(const QString& documentVersion, const QString& schemaName,
                             const QString& schemaVersion) {
    return Outcome(documentVersion, schemaName, schemaVersion, QStringLiteral("war nicht erfolgreich!"));
}

QString ValidationPassedText(const QString& documentVersion, const QString& schemaName,
                             const QString& schemaVersion) {
    return Outcome(documentVersion, schemaName, schemaVersion, QStringLiteral("war erfolgreich!"));
}

} // namespace kc
