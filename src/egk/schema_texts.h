// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "egk/xml_error.h"

#include <QString>
#include <array>

namespace kc {

struct AppState;

// The schema files next to the program, in the order allgemeine,
// persönliche, geschützte Versichertendaten (schema item k = 0, 1, 2).
inline const std::array<QString, 3> kSchemaFileNames = {
    QStringLiteral("UC_allgemeineVersicherungsdatenXML.xsd"),
    QStringLiteral("UC_PersoenlicheVersichertendatenXML.xsd"),
    QStringLiteral("UC_geschuetzteVersichertendatenXML.xsd"),
};

// The folder of the schema files: the program's folder when it holds them
// (the build tree), else the installed data folder.
QString ChooseSchemaFolder(const QString& programFolder, const QString& dataFolder);
QString SchemaFolder();

// The filter of the file dialog behind "&Neues Schema laden".
inline const QString kSchemaFileFilter = QStringLiteral("XSD (*.xsd)|*.xsd");

// A schema file's text from its first "<" on (which also drops a byte order
// mark); empty when the file is missing, unreadable or has no "<".
[[nodiscard]] QString SchemaTextFromFile(const QString& path);

// Start-up: the three schema texts from the program's folder, validation off.
void LoadSchemaTexts(AppState& state, const QString& folder);

// Schema text k (0 VD, 1 PD, 2 GVD).
QString& SchemaText(AppState& state, int k);

// Whether a parser with schema support can be created.
struct SchemaSupport {
    enum class State { Available, NotInstalled, Failed };
    State state = State::Available;
    XmlError error; // for Failed
};
[[nodiscard]] SchemaSupport ProbeSchemaSupport();

} // namespace kc
