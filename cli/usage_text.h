// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <vector>

namespace kc::cli {

// One section of the usage: a heading ("Rückgabewerte") and its lines. The
// sections are kept apart so that a manual page can be made from the same text.
struct UsageSection {
    QString title;
    QString body;
};

// The whole program: synopsis, commands, port numbers, options, output,
// questions, exit statuses, environment.
std::vector<UsageSection> ProgramUsageSections();
// One command: its synopsis, what it does, its options and exit statuses.
std::vector<UsageSection> CommandUsageSections(const QString& command);

QString UsageText(const std::vector<UsageSection>& sections);

// The line under an error that says where help is.
QString UsageHint(const QString& command);

} // namespace kc::cli
