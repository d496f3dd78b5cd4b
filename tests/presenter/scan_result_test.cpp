// SPDX-License-Identifier: Apache-2.0
#include "base/port_result.h"
#include "presenter/scan_result.h"

#include "sim_harness.h"
#include "test_printers.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kc {
namespace {

// Each block of tests/data/presenter/scan_results.txt; `used` marks the four
// port lines that carry text ('x'), so a port lands on its own line.
TEST(ScanResult, LinesAndSummary) {
    QFile file(test::SimHarness::TestDataDir() + "/presenter/scan_results.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList blocks = QString::fromUtf8(file.readAll()).split(QStringLiteral("=== "));
    blocks.removeFirst(); // the comment
    EXPECT_EQ(blocks.size(), 6);
    for (const QString& block : blocks) {
        QStringList lines = block.trimmed().split(QLatin1Char('\n'));
        SCOPED_TRACE(qPrintable(lines.takeFirst()));
        const QStringList c = lines.takeFirst().split(QLatin1Char('|'));
        SlotTables tables;
        tables.port[1].PortResult = kPortResultMissing; // a port that failed otherwise is no terminal
        if (const int slot = c[0].left(1).toInt()) {
            tables.terminal[slot].Responding = true;
            tables.terminal[slot].ViaUsbVirtualCom = c[0].endsWith(QLatin1String("usb"));
            tables.port[slot].CtApiBaudText = QStringLiteral("9600");
        }
        if (const int slot = c[1].toInt())
            tables.port[slot].PortResult = -10;
        const ScanResultModel result = FillScanResult(tables, c[2].toInt());
        EXPECT_EQ(result.caption, "KartoCheck Ergebnis");
        EXPECT_EQ(ScanResultText(result), lines);
        EXPECT_EQ(result.line1Centred, c[4] == QLatin1String("1"));
        QString used;
        for (const ScanResultLine& line : result.lines)
            used += line.text.isEmpty() ? QLatin1Char('.') : QLatin1Char('x');
        EXPECT_EQ(used, c[3]);
    }
}

} // namespace
} // namespace kc
