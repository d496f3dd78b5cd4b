// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
#include "discovery/identify_terminal.h"
#include "sim_harness.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::SimHarness;

TEST(IdentifyTerminal, AnswersGiveModelInterfaceAndFlags) {
    const auto rows = test::DataRows("discovery/identify_terminal.txt");
    ASSERT_EQ(rows.size(), 25u);
    for (const QStringList& c : rows) {
        SCOPED_TRACE(qPrintable(c.join(QLatin1Char(';'))));
        // Opened as the port test leaves it; the slot still says handheld from an earlier terminal.
        SimHarness h;
        const auto pn = c[0].toUShort();
        ASSERT_TRUE(h.loadText(QStringLiteral("[terminal t]\nports = %1\n").arg(pn) + c[1]));
        PortStatus& port = h.state.tables.port[SlotOfPort(pn)];
        TerminalInfo& info = h.state.tables.terminal[SlotOfPort(pn)];
        port.InterfaceText = QStringLiteral("before");
        port.BaudRateText = QStringLiteral("9600 Baud ");
        info.IsMobile = true;
        ASSERT_EQ(h.session.OpenTerminal(pn), 0);
        h.clearLog();
        EXPECT_EQ(IdentifyTerminal(h.session, h.state.tables, pn), c[2].toInt());
        EXPECT_EQ(info.ModelText.str().trimmed(), c[3]);
        EXPECT_EQ(port.InterfaceText.str().trimmed(), c[4]);
        EXPECT_TRUE(c[5] == QLatin1String("-") || h.commands() == c[5].split(QLatin1Char(' ')))
            << qPrintable(h.commands().join(' '));
        EXPECT_EQ(QString::number(info.Responding) + QString::number(info.IsMobile) +
                      QString::number(info.ViaUsbVirtualCom),
                  c[6]);
        const QString types =
            info.CtType.str() + "|" + info.Manufacturer.str() + "|" + port.BaudRateText.str();
        EXPECT_TRUE(c[7] == QLatin1String("-") || types == c[7]) << qPrintable(types);
    }
}

} // namespace
} // namespace kc
