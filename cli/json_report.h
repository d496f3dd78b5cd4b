// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace kc {
struct LibraryInfo;
struct ScanResultModel;
} // namespace kc

namespace kc::cli {

class Console;
class ConsoleRun;
enum class AnswerSource;

// A port a report covers and the slot that holds what was learnt about it.
struct ReportedPort {
    uint16_t pn = 0;
    int slot = 0;
};

// What one run reports for --json; the document's shape is
// docs/kartocheck-cli.schema.json.
struct ReportSubject {
    QString command;
    std::vector<ReportedPort> ports;
    const ScanResultModel* scanResult = nullptr; // scan only
    int exitStatus = 0;
    // Lines the console printed on its message stream that are no box.
    QStringList notices = {};
};

// How an answer came about, as a report names it.
QString SourceName(AnswerSource source);

QJsonObject BuildReport(const ConsoleRun& run, const ReportSubject& subject, const LibraryInfo& library);

// The document on the data stream, and nothing else there.
void PrintReport(Console& console, const QJsonObject& report);

} // namespace kc::cli
