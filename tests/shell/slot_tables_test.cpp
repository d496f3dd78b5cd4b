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

    FixedText<12> cut(QStringLiteral("Unbekanntes Gerät"));
    EXPECT_EQ(cut.str(), QStringLiteral("Unbekanntes "));
}

TEST(SlotOfPort, FurtherPortsShareSlotFive) {
    EXPECT_EQ(SlotOfPort(1), 1);
    EXPECT_EQ(SlotOfPort(4), 4);
    for (uint16_t pn : {5, 256, 8192, 8447, 65535})
        EXPECT_EQ(SlotOfPort(pn), 5) << pn;
}

} // namespace
} // namespace kc
