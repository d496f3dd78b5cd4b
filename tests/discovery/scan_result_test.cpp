#include "presenter/scan_result.h"

#include "qstring_print.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

const QString kFound = QStringLiteral("An COM       Chipkartenleser gefunden.");
const QString kPossible = QStringLiteral("An COM       Chipkartenleser möglich. Mit               Taste fortfahren.");

void Responding(SlotTables& tables, int slot, const QString& baud, bool usb = false) {
    tables.terminal[slot].Responding = true;
    tables.terminal[slot].ViaUsbVirtualCom = usb;
    tables.port[slot].CtApiBaudText = baud;
}

void ExpectEmpty(const ScanResultLine& line) {
    EXPECT_TRUE(line.text.isEmpty());
    EXPECT_TRUE(line.portGap.isEmpty());
    EXPECT_FALSE(line.keyPictureVisible);
}

TEST(ScanResult, TerminalOnCom2WithItsSpeed) {
    SlotTables tables;
    Responding(tables, 2, QStringLiteral("9600"));
    const ScanResultModel result = FillScanResult(tables, 0);
    EXPECT_EQ(result.caption, "KartoCheck Ergebnis");
    EXPECT_EQ(result.lines[1].text, kFound + " Baudrate: 9600     Baud.");
    EXPECT_EQ(result.lines[1].portGap, "2");
    EXPECT_FALSE(result.lines[1].keyPictureVisible);
    ExpectEmpty(result.lines[0]);
    ExpectEmpty(result.lines[2]);
    ExpectEmpty(result.lines[3]);
    EXPECT_FALSE(result.line1Centred);
    EXPECT_TRUE(result.summary.isEmpty());
}

TEST(ScanResult, FreePortOnCom3AsksForAKeyPress) {
    SlotTables tables;
    tables.port[3].PortResult = -10;
    const ScanResultModel result = FillScanResult(tables, 0);
    EXPECT_EQ(result.lines[2].text, kPossible);
    EXPECT_EQ(result.lines[2].portGap, "3");
    EXPECT_TRUE(result.lines[2].keyPictureVisible);
    EXPECT_FALSE(result.line1Centred);
}

TEST(ScanResult, UsbVirtualComOnCom4) {
    SlotTables tables;
    Responding(tables, 4, QStringLiteral("115200"), true);
    const ScanResultModel result = FillScanResult(tables, 0);
    EXPECT_EQ(result.lines[3].text, kFound + " USB Gerät (Virtueller COM port)");
    EXPECT_EQ(result.lines[3].portGap, "4");
}

TEST(ScanResult, OnlyFurtherPortsFound) {
    SlotTables tables;
    const ScanResultModel result = FillScanResult(tables, 2);
    for (const ScanResultLine& line : result.lines)
        ExpectEmpty(line);
    EXPECT_EQ(result.summary, "2 Chipkartenleser gefunden.\r\nSiehe Schnittstellen weitere ...");
    EXPECT_FALSE(result.line1Centred);
}

TEST(ScanResult, FurtherPortsBesideAComTerminal) {
    SlotTables tables;
    Responding(tables, 1, QStringLiteral("9600"));
    const ScanResultModel result = FillScanResult(tables, 1);
    EXPECT_EQ(result.summary, "1 weitere(n) Chipkartenleser gefunden.\r\nSiehe Schnittstellen weitere ...");
    EXPECT_EQ(result.lines[0].portGap, "1");
}

TEST(ScanResult, NothingAnywhere) {
    SlotTables tables;
    tables.port[1].PortResult = 1;
    tables.port[2].PortResult = 2;
    const ScanResultModel result = FillScanResult(tables, 0);
    EXPECT_TRUE(result.line1Centred);
    EXPECT_EQ(result.lines[1].text, "Keinen Chipkartenleser gefunden!");
    EXPECT_TRUE(result.lines[1].portGap.isEmpty());
    ExpectEmpty(result.lines[0]);
    ExpectEmpty(result.lines[2]);
    ExpectEmpty(result.lines[3]);
    EXPECT_TRUE(result.summary.isEmpty());
}

TEST(ScanResult, PossibleTerminalAloneIsNotNothing) {
    SlotTables tables;
    tables.port[4].PortResult = -10;
    const ScanResultModel result = FillScanResult(tables, 0);
    EXPECT_FALSE(result.line1Centred);
    EXPECT_TRUE(result.lines[1].text.isEmpty());
}

TEST(ScanResult, AsTextWithTheGapsFilled) {
    SlotTables tables;
    Responding(tables, 2, QStringLiteral("9600"));
    tables.port[3].PortResult = -10;
    EXPECT_EQ(ScanResultText(FillScanResult(tables, 1)),
              QStringList({"An COM 2 Chipkartenleser gefunden. Baudrate: 9600     Baud.",
                           "An COM 3 Chipkartenleser möglich. Mit [OK] Taste fortfahren.",
                           "1 weitere(n) Chipkartenleser gefunden.", "Siehe Schnittstellen weitere ..."}));
    EXPECT_EQ(ScanResultText(FillScanResult(SlotTables{}, 0)), QStringList({"Keinen Chipkartenleser gefunden!"}));
}

} // namespace
} // namespace kc
