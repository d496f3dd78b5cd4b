#include "discovery/further_ports.h"
#include "sim_harness.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::SimHarness;

TEST(EnumerateFurtherPorts, ListsTheFurtherPortsThatOpenInOrder) {
    SimHarness h;
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n5 = -127\n"
                           "[terminal com3]\nports = 3\n"
                           "[terminal seven]\nports = 7\n"
                           "[terminal usb]\nports = 8192\n"))
        << qPrintable(h.loadError());
    EnumerateFurtherPorts(h.ctx);
    const FurtherPorts& table = h.state.tables.furtherPorts;
    EXPECT_EQ(table[1][0], 7);
    EXPECT_EQ(table[1][1], 8192);
    EXPECT_EQ(table[1][2], 0);
    EXPECT_EQ(FurtherPortCount(h.state.tables), 2);
    // Row 0 keeps each open result as an unsigned byte.
    EXPECT_EQ(table[0][2], 0);   // COM 3 opened but is not listed
    EXPECT_EQ(table[0][4], 129); // -127
    EXPECT_EQ(table[0][5], 246); // -10
    EXPECT_EQ(table[0][6], 0);
    EXPECT_EQ(table[0][256], 0);
    EXPECT_EQ(table[0][257], 246);

    // A new search forgets the old list.
    h.simulator().setPortResult(7, -10);
    h.simulator().setPortResult(8192, -10);
    EnumerateFurtherPorts(h.ctx);
    EXPECT_EQ(table[1][0], 0);
    EXPECT_EQ(FurtherPortCount(h.state.tables), 0);
}

TEST(EnumerateFurtherPorts, OpensAndClosesEveryPortNumberOnce) {
    SimHarness h;
    ASSERT_TRUE(h.loadText("[ports]\ndefault = -10\n"));
    EnumerateFurtherPorts(h.ctx);
    const QStringList log = h.apduLog();
    EXPECT_EQ(log.filter("init").size(), 512);
    EXPECT_EQ(log.filter("close").size(), 512);
    EXPECT_EQ(log[0], "init 1");
    EXPECT_EQ(log[1], "close");
    EXPECT_EQ(log[2 * 256], "init 8192");
    EXPECT_EQ(log.last(2).first(), "init 8447");
    EXPECT_EQ(FurtherPortCount(h.state.tables), 0);
    // The status line names every port but COM 1 to 4.
    EXPECT_EQ(h.status.statuses.size(), 252 + 256);
    EXPECT_EQ(h.status.statuses.first(), "Programm prüft die serielle Schnittstelle COM 5");
    EXPECT_EQ(h.status.statuses[251], "Programm prüft die serielle Schnittstelle COM 256");
    EXPECT_EQ(h.status.statuses[252], "Programm prüft USB Device 1");
    EXPECT_EQ(h.status.statuses.last(), "Programm prüft USB Device 256");
    // Window events run around every open.
    EXPECT_GE(h.pump.pendingRuns, 2 * 512);
}

} // namespace
} // namespace kc
