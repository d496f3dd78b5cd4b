// SPDX-License-Identifier: Apache-2.0
#include "base/port_result.h"
#include "presenter/scan_result.h"

#include "data_cases.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

// Each block of tests/data/presenter/scan_results.txt; `used` marks the four
// port lines that carry text ('x'), so a port lands on its own line.
class ScanResultCase : public ::testing::TestWithParam<test::DataCase> {};

TEST_P(ScanResultCase, LinesAndSummary) {
    QStringList lines = GetParam().lines;
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    ASSERT_FALSE(lines.isEmpty());
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

INSTANTIATE_TEST_SUITE_P(ScanResult, ScanResultCase,
                         ::testing::ValuesIn(test::DataCases("presenter/scan_results.txt")),
                         test::CaseName());

} // namespace
} // namespace kc
