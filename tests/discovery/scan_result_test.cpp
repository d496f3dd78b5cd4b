#include "presenter/scan_result.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

void Responding(SlotTables& tables, int slot, bool usb = false) {
    tables.terminal[slot].Responding = true;
    tables.terminal[slot].ViaUsbVirtualCom = usb;
    tables.port[slot].CtApiBaudText = QStringLiteral("9600");
}

// The lines as the window shows them, gaps filled; `used` marks the four
// port lines that carry text ('x'), so a port lands on its own line.
struct ScanCase {
    const char* name;
    int respondingSlot; // 0: none
    bool usb;
    int freeSlot; // the library saw a free port there; 0: none
    int furtherPorts;
    const char* used;
    QStringList text;
    bool centred = false;
};

void PrintTo(const ScanCase& c, std::ostream* os) {
    *os << c.name;
}

class ScanResultCases : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanResultCases, LinesAndSummary) {
    const ScanCase& c = GetParam();
    SlotTables tables;
    tables.port[1].PortResult = 1; // a port that failed otherwise is no terminal
    if (c.respondingSlot)
        Responding(tables, c.respondingSlot, c.usb);
    if (c.freeSlot)
        tables.port[c.freeSlot].PortResult = -10;
    const ScanResultModel result = FillScanResult(tables, c.furtherPorts);
    EXPECT_EQ(result.caption, "KartoCheck Ergebnis");
    EXPECT_EQ(ScanResultText(result), c.text);
    EXPECT_EQ(result.line1Centred, c.centred);
    QString used;
    for (const ScanResultLine& line : result.lines)
        used += line.text.isEmpty() ? QLatin1Char('.') : QLatin1Char('x');
    EXPECT_EQ(used, QString::fromLatin1(c.used));
}

const QString kCom2 = QStringLiteral("An COM 2 Chipkartenleser gefunden. Baudrate: 9600     Baud.");
const QString kCom3 = QStringLiteral("An COM 3 Chipkartenleser möglich. Mit [OK] Taste fortfahren.");
const QString kUsb4 = QStringLiteral("An COM 4 Chipkartenleser gefunden. USB Gerät (Virtueller COM port)");
const QString kFurther = QStringLiteral("Siehe Schnittstellen weitere ...");
const QString kOneMore = QStringLiteral("1 weitere(n) Chipkartenleser gefunden.");

INSTANTIATE_TEST_SUITE_P(
    Ports, ScanResultCases,
    ::testing::Values(
        ScanCase{"com2_at_9600", 2, false, 0, 0, ".x..", {kCom2}},
        ScanCase{"free_com3", 0, false, 3, 0, "..x.", {kCom3}},
        ScanCase{"usb_com4", 4, true, 0, 0, "...x", {kUsb4}},
        ScanCase{"only_further_ports", 0, false, 0, 2, "....", {"2 Chipkartenleser gefunden.", kFurther}},
        ScanCase{"further_beside_com2", 2, false, 0, 1, ".x..", {kCom2, kOneMore, kFurther}},
        ScanCase{"nothing_anywhere", 0, false, 0, 0, ".x..", {"Keinen Chipkartenleser gefunden!"}, true}),
    [](const auto& row) { return std::string(row.param.name); });

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
