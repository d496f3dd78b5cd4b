#include "discovery/port_test.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::ScriptedSerialLine;
using test::SerialDevice;
using test::SimHarness;

// One shipped scenario, the port tested and what its status page must say.
struct ScenarioRow {
    const char* file;
    uint16_t pn;
    bool dsr;
    const char* model;
    const char* interfaceText;
    int portResult;
    bool responding;
    bool mobile;
};

void PrintTo(const ScenarioRow& row, std::ostream* os) {
    *os << row.file << " pn " << row.pn;
}

class ShippedScenario : public ::testing::TestWithParam<ScenarioRow> {};

TEST_P(ShippedScenario, PortTestFindsWhatTheScenarioDescribes) {
    const ScenarioRow row = GetParam();
    SimHarness h;
    ASSERT_TRUE(h.loadFile(QStringLiteral("discovery/") + QString::fromLatin1(row.file)))
        << qPrintable(h.loadError());
    ScriptedSerialLine line;
    for (uint16_t pn = 1; pn <= 4; ++pn) {
        SerialDevice device;
        device.dsr = row.dsr;
        line.devices[pn] = device;
    }
    TestPort(h.ctx, line, row.pn);
    const int slot = SlotOfPort(row.pn);
    const TerminalInfo& info = h.state.tables.terminal[slot];
    const PortStatus& port = h.state.tables.port[slot];
    EXPECT_EQ(info.ModelText.str().trimmed(), QString::fromUtf8(row.model));
    EXPECT_EQ(port.InterfaceText.str().trimmed(), QString::fromUtf8(row.interfaceText));
    EXPECT_EQ(port.PortResult, row.portResult);
    EXPECT_EQ(info.Responding, row.responding);
    EXPECT_EQ(info.IsMobile, row.mobile);
    EXPECT_FALSE(h.session.SessionOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Discovery, ShippedScenario,
    ::testing::Values(
        ScenarioRow{"qkt1-com1.scn", 1, true, "Serie Q1", "Ist verfügbar!", 0, true, false},
        ScenarioRow{"qkt4-lowercase-com2.scn", 2, false, "Serie Q4", "Falsches RS 232 Kabel/Verbinder!", 4,
                    true, false},
        ScenarioRow{"qmt2-com3.scn", 3, false, "Serie Q2", "Falsches RS 232 Kabel/Verbinder!", 4, true,
                    false},
        ScenarioRow{"qmt3-stationary-com4.scn", 4, true, "Serie Q3", "Ist verfügbar!", 0, true, false},
        ScenarioRow{"qmt3-handheld-usb.scn", 8193, false, "Serie Q3", "USB (CTAPI pn=8193)", 0, true, true},
        ScenarioRow{"qmt3-usb-virtual-com2.scn", 2, false, "Serie Q3", "USB Virtuell COM (CTAPI pn=2)", 4,
                    true, false},
        ScenarioRow{"vex-compat-6900-com1.scn", 1, true, "Modell VEX Q1 im VEX K1-kompatibel Mode",
                    "Ist verfügbar!", 0, true, false},
        ScenarioRow{"ctbcs-6d00.scn", 3, true, "Modell VEX K1/K2/K3/K4/K5/K7", "Ist verfügbar!", 0, true,
                    false},
        ScenarioRow{"ctbcs-6d00.scn", 6, false, "Modell VEX K7/Serie Q3/Q4", "COM (CTAPI pn=6)", 0, true,
                    true},
        ScenarioRow{"ctbcs-6d00.scn", 8195, false, "Serie Q3", "USB (CTAPI pn=8195)", 0, true, true},
        ScenarioRow{"mct-6f00-port9.scn", 9, false, "Modell MCT Q1 CT-BCS (0.9)", "", 0, true, false},
        ScenarioRow{"unknown-status-com4.scn", 4, false, "Modell nicht bekannt!",
                    "Falsches RS 232 Kabel/Verbinder!", 4, false, false},
        ScenarioRow{"port-in-use-com3.scn", 3, false, "", "Wird vom System benutzt!", 2, false, false},
        ScenarioRow{"free-ports.scn", 2, false, "Modell nicht bekannt!", "Ist verfügbar!", -10, false, false},
        ScenarioRow{"free-ports.scn", 8192, false, "Modell nicht bekannt!", "", -10, false, false}));

} // namespace
} // namespace kc
