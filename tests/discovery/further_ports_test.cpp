// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"
#include "discovery/further_ports.h"
#include "sim_harness.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(EnumerateFurtherPorts, ListsTheFurtherPortsThatOpenInOrder) {
    const auto h = test::Harness("[ports]\ndefault = -10\n5 = -127\n"
                                 "[terminal com4]\nports = 4\n"
                                 "[terminal seven]\nports = 7\n"
                                 "[terminal usb]\nports = 8192\n");
    EnumerateFurtherPorts(h->ctx);
    const FurtherPorts& table = h->state.tables.furtherPorts;
    EXPECT_EQ(std::vector<int>({table[1][0], table[1][1], table[1][2]}), std::vector<int>({7, 8192, 0}));
    EXPECT_EQ(FurtherPortCount(h->state.tables), 2);
    // Row 0 keeps each open result as an unsigned byte: COM 4 opened but is not listed, -127, -10.
    EXPECT_EQ(
        std::vector<int>({table[0][3], table[0][4], table[0][5], table[0][6], table[0][256], table[0][257]}),
        std::vector<int>({0, 129, 246, 0, 0, 246}));

    // A new search forgets the old list.
    h->simulator().setPortResult(7, -10);
    h->simulator().setPortResult(8192, -10);
    EnumerateFurtherPorts(h->ctx);
    EXPECT_EQ(table[1][0], 0);
    EXPECT_EQ(FurtherPortCount(h->state.tables), 0);
}

TEST(EnumerateFurtherPorts, OpensAndClosesEveryPortNumberOnce) {
    const auto h = test::Harness("[ports]\ndefault = -10\n");
    EnumerateFurtherPorts(h->ctx);
    const QStringList log = h->apduLog();
    EXPECT_EQ(log.filter("init").size() + log.filter("close").size(), 2 * 512);
    EXPECT_EQ(QStringList({log[0], log[2 * 256], log.last(2).first()}),
              QStringList({"init 1", "init 8192", "init 8447"}));
    // The status line names every port but COM 1 to 4.
    EXPECT_EQ(h->status.statuses.size(), 252 + 256);
    EXPECT_EQ(h->status.statuses.first(), "Programm prüft die serielle Schnittstelle COM 5");
    // Window events run around every open.
    EXPECT_GE(h->pump.pendingRuns, 2 * 512);
}

} // namespace
} // namespace kc
