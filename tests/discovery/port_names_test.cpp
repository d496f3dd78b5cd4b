// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
#include "discovery/port_names.h"
#include "discovery/serial_device_path.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

class PortNameCase : public ::testing::TestWithParam<QStringList> {};

// One port of tests/data/discovery/port_names.txt: every name of it follows its range.
TEST_P(PortNameCase, EveryVariantFollowsTheRange) {
    const QStringList& c = GetParam();
    const auto pn = c[1].toUShort();
    EXPECT_EQ(QStringList({FurtherPortTabCaption(pn), FurtherPortListEntry(pn), PortChosenText(pn),
                           InterfaceDescription(pn), PortTestingText(pn), SerialDevicePath(pn)}),
              c.mid(2));
}

INSTANTIATE_TEST_SUITE_P(PortNaming, PortNameCase,
                         ::testing::ValuesIn(test::DataRows("discovery/port_names.txt")),
                         test::FirstCellName());

TEST(PortNaming, UsbVirtualComNamesTheComPort) {
    EXPECT_EQ(UsbVirtualComDescription(3), "USB Virtuell COM (CTAPI pn=3)");
}

} // namespace
} // namespace kc
