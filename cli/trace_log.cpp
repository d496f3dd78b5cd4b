// SPDX-License-Identifier: Apache-2.0
#include "trace_log.h"

#include <QDateTime>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace kc::cli {

TraceLog::TraceLog(std::FILE* file, bool owned) : owned_(owned ? file : nullptr), stream_(file) {}

Result<std::unique_ptr<TraceLog>> TraceLog::open(const QString& target) {
    if (target == QLatin1String("-"))
        return std::unique_ptr<TraceLog>(new TraceLog(stderr, false));
    std::FILE* file = std::fopen(QFile::encodeName(target).constData(), "a");
    if (!file)
        return Result<std::unique_ptr<TraceLog>>::failure(QString::fromLocal8Bit(std::strerror(errno)));
    return std::unique_ptr<TraceLog>(new TraceLog(file, true));
}

void TraceLog::line(const QString& text) {
    stream_.writeLine(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz ")) +
                      text);
}

} // namespace kc::cli
