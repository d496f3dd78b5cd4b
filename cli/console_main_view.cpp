#include "console_main_view.h"

#include "console_io.h"
#include "presenter/scan_result.h"

namespace kc::cli {

void ConsoleMainView::showScanResult(const ScanResultModel& result) {
    console_.writeLine();
    console_.writeLine(QStringLiteral("=== ") + result.caption + QStringLiteral(" ==="));
    for (const QString& line : ScanResultText(result))
        console_.writeLine(QStringLiteral("  ") + line);
}

} // namespace kc::cli
