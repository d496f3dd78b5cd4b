#include "discovery/port_names.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

struct NameRow {
    uint16_t pn;
    const char* tab;
    const char* list;
    const char* chosen;
    const char* interfaceText;
    const char* testing;
};

class PortNaming : public ::testing::TestWithParam<NameRow> {};

TEST_P(PortNaming, EveryVariantFollowsTheRange) {
    const NameRow row = GetParam();
    EXPECT_EQ(FurtherPortTabCaption(row.pn), QString::fromUtf8(row.tab));
    EXPECT_EQ(FurtherPortListEntry(row.pn), QString::fromUtf8(row.list));
    EXPECT_EQ(PortChosenText(row.pn), QString::fromUtf8(row.chosen));
    EXPECT_EQ(InterfaceDescription(row.pn), QString::fromUtf8(row.interfaceText));
    EXPECT_EQ(PortTestingText(row.pn), QString::fromUtf8(row.testing));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PortNaming,
    ::testing::Values(
        NameRow{3, "COM 3", "COM 3", "Die serielle Schnittstelle COM 3 wurde ausgewählt", "COM (CTAPI pn=3)",
                "Programm prüft die serielle Schnittstelle COM 3"},
        NameRow{256, "COM 256", "COM 256", "Die serielle Schnittstelle COM 256 wurde ausgewählt",
                "COM (CTAPI pn=256)", "Programm prüft die serielle Schnittstelle COM 256"},
        NameRow{8192, "USB Device 1", "USB Device 1 (pn=8192  )", "Das USB device 1 wurde ausgewählt",
                "USB (CTAPI pn=8192)", "Programm prüft USB Device 1 (pn=8192  )"},
        NameRow{8447, "USB Device 256", "USB Device 256 (pn=8447  )", "Das USB device 256 wurde ausgewählt",
                "USB (CTAPI pn=8447)", "Programm prüft USB Device 256 (pn=8447  )"},
        NameRow{257, "?Device 257", "?Device  (pn=257  )", "Das ?device 257 wurde ausgewählt",
                "? (CTAPI pn=257)", "Programm prüft ?Device  (pn=257  )"},
        NameRow{8448, "?Device 8448", "?Device  (pn=8448  )", "Das ?device 8448 wurde ausgewählt",
                "? (CTAPI pn=8448)", "Programm prüft ?Device  (pn=8448  )"}));

TEST(PortNaming, UsbVirtualComDescription) {
    EXPECT_EQ(UsbVirtualComDescription(3), "USB Virtuell COM (CTAPI pn=3)");
}

} // namespace
} // namespace kc
