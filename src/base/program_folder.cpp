#include "base/program_folder.h"

#include <QFileInfo>

namespace kc {

QString ProgramFolder() {
    // /proc/self/exe works before (and without) a QCoreApplication instance.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

} // namespace kc
