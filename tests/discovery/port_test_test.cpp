// SPDX-License-Identifier: Apache-2.0
#include "base/card_display.h"
#include "data_cases.h"
#include "data_rows.h"
#include "discovery/baud_probe.h"
#include "discovery/port_test.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"

#include <gtest/gtest.h>
#include <tuple>

namespace kc {
namespace {

using test::ScriptedSerialLine;
using test::SerialDevice;
using test::SimHarness;

class PortTestCase : public ::testing::TestWithParam<test::DataCase> {};

// The result, the texts and the status page of one port test.
TEST_P(PortTestCase, ResultTextsAndStatusPage) {
    const test::DataCase& c = GetParam();
    SimHarness h;
    ScriptedSerialLine line;
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n" + c.field("scenario"))) << qPrintable(h.loadError());
    const auto pn = c.field("port").toUShort();
    const int slot = SlotOfPort(pn);
    const bool device = c.field("device") != QLatin1String("none");
    if (device)
        line.devices[pn] = DeviceOf(c);
    for (int other = 1; other <= 5; ++other)
        h.state.tables.insured[other][Familienname] = QStringLiteral("Slot %1").arg(other);
    TestPort(h.ctx, line, pn);
    const PortStatus& port = h.state.tables.port[slot];
    const TerminalInfo& info = h.state.tables.terminal[slot];
    const auto given = [&c](const char* key) { return c.field(QLatin1String(key)) != QLatin1String("-"); };
    if (given("result")) {
        EXPECT_EQ(port.PortResult, c.field("result").toInt());
    }
    EXPECT_EQ(port.InterfaceText.str().trimmed(), c.field("interface"));
    EXPECT_EQ(port.BaudRateText.str().trimmed(), c.field("baud"));
    EXPECT_EQ(port.BaudProbed, c.field("baud").endsWith(QLatin1String(" Baud")));
    if (given("model")) {
        EXPECT_EQ(info.ModelText.str().trimmed(), c.field("model"));
    }
    EXPECT_EQ(h.state.ui.statusPages[slot].values[0], port.InterfaceText.str());
    EXPECT_TRUE(pn > 4 || port.PortPresent == device);
    // A COM port that does not exist is not opened.
    EXPECT_TRUE(pn > 4 || device || h.apduLog().isEmpty());
    if (!c.field("apdus").isEmpty()) {
        EXPECT_EQ(h.apduLog(), test::Items(c.field("apdus")));
    }
    if (!c.field("pnp-id").isEmpty()) {
        EXPECT_TRUE(port.DsrSeen);
        EXPECT_EQ(info.PnpDeviceId.str().trimmed(), c.field("pnp-id"));
        EXPECT_EQ(h.state.ui.statusPages[slot].values[7], info.PnpDeviceId.str());
    }
    if (!c.field("opens").isEmpty()) {
        EXPECT_EQ(line.log.filter(QStringLiteral("open ")).size(), c.field("opens").toInt());
    }
    for (int other = 1; other <= 5; ++other)
        EXPECT_EQ(h.state.tables.insured[other][Familienname],
                  other == slot ? QString() : QStringLiteral("Slot %1").arg(other))
            << other;
}

INSTANTIATE_TEST_SUITE_P(Ports, PortTestCase, ::testing::ValuesIn(test::DataCases("discovery/port_test.txt")),
                         test::CaseName());

// A terminal replaced by another, or gone, leaves nothing of itself behind: not its
// identity, not its handheld mark, not its virtual COM port (its card data: above).
TEST(TestPort, ClearsTheSlotsIdentityAndCardData) {
    SimHarness h;
    ScriptedSerialLine line;
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n"));
    TerminalInfo& slot3 = h.state.tables.terminal[3];
    const auto texts = std::tie(slot3.Manufacturer, slot3.CtType, slot3.SoftwareVersion, slot3.OutputMedium,
                                slot3.PnpDeviceId);
    std::apply([](auto&... text) { ((text = QStringLiteral("x")), ...); }, texts);
    slot3.Responding = slot3.HasCardData = slot3.IsMobile = slot3.ViaUsbVirtualCom = true;
    h.state.ui.card.mobileRowsVisible = true;
    line.devices[3] = SerialDevice{};
    TestPort(h.ctx, line, 3);
    std::apply([](auto&... text) { EXPECT_EQ((text.str() + ...).trimmed(), ""); }, texts);
    EXPECT_TRUE(!slot3.Responding && !slot3.HasCardData && !slot3.IsMobile && !slot3.ViaUsbVirtualCom);
    EXPECT_FALSE(h.state.ui.card.mobileRowsVisible);
}

} // namespace
} // namespace kc
