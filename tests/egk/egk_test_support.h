// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "egk/xml_document.h"
#include "fake_ui.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace kc::test {

// A file below tests/data/egk, read as bytes.
QByteArray EgkTestFile(const QString& relativePath);
QString EgkTestPath(const QString& relativePath);

// gzip data of the bytes, as a card stores its documents.
QByteArray Gzip(const QByteArray& bytes);

// A document loaded from text with the test's own XML (UTF-8 in the source).
std::unique_ptr<XmlDocument> Parsed(const QString& text);

} // namespace kc::test
