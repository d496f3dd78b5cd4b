// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

namespace kc {

// The folder of the running program, where the terminal library and the
// schema files are looked for first.
QString ProgramFolder();

// The folders of an installed program: its terminal libraries and helper,
// and its schema files.
QString PrivateLibraryFolder();
QString DataFolder();

// The first of the folders that holds the file; empty when none does.
QString FirstFolderHolding(const QStringList& folders, const QString& file);

} // namespace kc
