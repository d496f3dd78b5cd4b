#include "base/slot_tables.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(FixedText, PadsCutsAndCountsCharactersNotBytes) {
    FixedText<5> ctType;
    EXPECT_EQ(ctType.str(), QStringLiteral("     "));
    ctType = QStringLiteral("QMT3");
    EXPECT_EQ(ctType.str(), QStringLiteral("QMT3 "));
    ctType = QStringLiteral("DEZAVX");
    EXPECT_EQ(ctType.str(), QStringLiteral("DEZAV"));

    FixedText<20> model(QStringLiteral("Unbekanntes Gerät?! "));
    EXPECT_EQ(model.str(), QStringLiteral("Unbekanntes Gerät?! "));
    EXPECT_EQ(model.str().size(), 20);
    FixedText<12> cut(QStringLiteral("Unbekanntes Gerät"));
    EXPECT_EQ(cut.str(), QStringLiteral("Unbekanntes "));
}

TEST(SlotOfPort, FurtherPortsShareSlotFive) {
    EXPECT_EQ(SlotOfPort(1), 1);
    EXPECT_EQ(SlotOfPort(4), 4);
    for (uint16_t pn : {5, 256, 8192, 8447, 65535})
        EXPECT_EQ(SlotOfPort(pn), 5) << pn;
}

TEST(SlotTables, StartEmptyWithMobilePresets) {
    SlotTables tables;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const MobileVsdRecord& record = tables.egk[slot].MobileVsd;
        EXPECT_EQ(record[StatusTag], "A0");
        EXPECT_EQ(record[StatusLength], "19");
        EXPECT_EQ(record[ReadDateTag], "91");
        EXPECT_EQ(record[ReadDateLength], "08");
        EXPECT_EQ(record[ApprovalTag], "92");
        EXPECT_EQ(record[ApprovalLength], "1B");
        EXPECT_EQ(record[ChecksumTag], "93");
        EXPECT_EQ(record[ChecksumLength], "01");
        EXPECT_TRUE(record[StatusValue].isEmpty());
        EXPECT_TRUE(record[ChecksumValue].isEmpty());
        EXPECT_EQ(tables.port[slot].InterfaceText.str(), QString(60, QLatin1Char(' ')));
        EXPECT_FALSE(tables.terminal[slot].Responding);
        EXPECT_TRUE(tables.insured[slot][Krankenkassenname].isEmpty());
    }
    EXPECT_EQ(tables.furtherPorts[1][0], 0);
}

} // namespace
} // namespace kc
