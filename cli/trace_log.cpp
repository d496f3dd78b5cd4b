// SPDX-License-Identifier: Apache-2.0
#include "trace_log.h"

#include <QDateTime>
#include <QFile>
#include <cstring>

namespace kc::cli {

namespace {

QString RefusalText(const ctapi::TraceFile& file) {
    using Refusal = ctapi::TraceFile::Refusal;
    switch (file.refusal()) {
    case Refusal::SymbolicLink:
        return QStringLiteral(
            "Sie ist ein symbolischer Verweis. Ein Trace enthält die Daten der versicherten Person "
            "und wird nur in eine gewöhnliche Datei des Benutzers geschrieben.");
    case Refusal::NotAPlainFile:
        return QStringLiteral("Sie ist keine gewöhnliche Datei.");
    case Refusal::OtherOwner:
        return QStringLiteral(
            "Sie gehört einem anderen Benutzer. Ein Trace enthält die Daten der versicherten "
            "Person und darf nur für den Benutzer lesbar sein.");
    case Refusal::SystemError:
        return QString::fromLocal8Bit(std::strerror(file.systemError()));
    case Refusal::None:
        break;
    }
    return {};
}

} // namespace

TraceLog::TraceLog(const QString& target) : file_(QFile::encodeName(target).toStdString()) {}

Result<std::unique_ptr<TraceLog>> TraceLog::open(const QString& target) {
    std::unique_ptr<TraceLog> log(new TraceLog(target));
    if (!log->file_.on())
        return Result<std::unique_ptr<TraceLog>>::failure(RefusalText(log->file_));
    return log;
}

void TraceLog::line(const QString& text) {
    file_.writeLine((QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz ")) + text)
                        .toStdString());
}

} // namespace kc::cli
