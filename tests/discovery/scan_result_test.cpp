#include "presenter/scan_result.h"

#include "sim_harness.h"
#include "test_printers.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kc {
namespace {

void Responding(SlotTables& tables, int slot, bool usb = false) {
    tables.terminal[slot].Responding = true;
    tables.terminal[slot].ViaUsbVirtualCom = usb;
    tables.port[slot].CtApiBaudText = QStringLiteral("9600");
}

// Each block of tests/data/discovery/scan_results.txt; `used` marks the four
// port lines that carry text ('x'), so a port lands on its own line.
TEST(ScanResult, LinesAndSummary) {
    QFile file(test::SimHarness::TestDataDir() + "/discovery/scan_results.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList blocks = QString::fromUtf8(file.readAll()).split(QStringLiteral("=== "));
    blocks.removeFirst(); // the comment
    EXPECT_EQ(blocks.size(), 6);
    for (const QString& block : blocks) {
        QStringList lines = block.trimmed().split(QLatin1Char('\n'));
        SCOPED_TRACE(qPrintable(lines.takeFirst()));
        const QStringList c = lines.takeFirst().split(QLatin1Char('|'));
        SlotTables tables;
        tables.port[1].PortResult = 1; // a port that failed otherwise is no terminal
        if (const int slot = c[0].left(1).toInt())
            Responding(tables, slot, c[0].endsWith(QLatin1String("usb")));
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

// The blanks the window fills with the port number and the key picture.
TEST(ScanResult, LinesKeepTheGapsForTheWindow) {
    SlotTables tables;
    Responding(tables, 2);
    tables.port[3].PortResult = -10;
    const ScanResultModel result = FillScanResult(tables, 0);
    EXPECT_EQ(result.lines[1].text, "An COM       Chipkartenleser gefunden. Baudrate: 9600     Baud.");
    EXPECT_EQ(result.lines[1].portGap, "2");
    EXPECT_FALSE(result.lines[1].keyPictureVisible);
    EXPECT_EQ(result.lines[2].text,
              "An COM       Chipkartenleser möglich. Mit               Taste fortfahren.");
    EXPECT_TRUE(result.lines[2].keyPictureVisible);
}

} // namespace
} // namespace kc
