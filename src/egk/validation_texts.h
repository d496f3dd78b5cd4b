// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// The result texts of a document's load, numbered 1 to 5 as the
// information window explains them. prefix and schemaName belong to the
// document kind, documentVersion and schemaVersion may be empty.
QString NoValidationText();
QString NamespaceMismatchText(const QString& prefix, const QString& documentVersion);
QString NoLocalSchemaText(const QString& prefix, const QString& documentVersion);
QString ValidationFailedText(const QString& documentVersion, const QString& schemaName,
                             const QString& schemaVersion);
QString ValidationPassedText(const QString& documentVersion, const QString& schemaName,
                             const QString& schemaVersion);

} // namespace kc
