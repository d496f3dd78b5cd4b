// SPDX-License-Identifier: Apache-2.0
#include "console_main_view.h"

#include "console_io.h"

namespace kc::cli {

void ConsoleMainView::showScanResult(const ScanResultModel& result) {
    scanResult_ = result;
    if (!print_)
        return;
    console_.data.writeLine();
    console_.data.writeLine(QStringLiteral("=== ") + result.caption + QStringLiteral(" ==="));
    for (const QString& line : ScanResultText(result))
        console_.data.writeLine(QStringLiteral("  ") + line);
}

} // namespace kc::cli
