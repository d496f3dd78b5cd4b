// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
#include "discovery/port_names.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

// Every name of a port follows its range; one port a line in tests/data/discovery/port_names.txt.
TEST(PortNaming, EveryVariantFollowsTheRange) {
    const auto rows = test::DataRows("discovery/port_names.txt");
    ASSERT_EQ(rows.size(), 6u);
    for (const QStringList& c : rows) {
        const auto pn = c[0].toUShort();
        EXPECT_EQ(QStringList({c[0], FurtherPortTabCaption(pn), FurtherPortListEntry(pn), PortChosenText(pn),
                               InterfaceDescription(pn), PortTestingText(pn)}),
                  c);
    }
    EXPECT_EQ(UsbVirtualComDescription(3), "USB Virtuell COM (CTAPI pn=3)");
}

} // namespace
} // namespace kc
