// SPDX-License-Identifier: Apache-2.0
#include "data_cases.h"
#include "discovery/identify_terminal.h"
#include "sim_harness.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::SimHarness;

class IdentifyTerminalCase : public ::testing::TestWithParam<test::DataCase> {};

// A terminal's answers and what the status page and the flags say of it:
// tests/data/discovery/identify_terminal.txt.
TEST_P(IdentifyTerminalCase, AnswersGiveModelInterfaceAndFlags) {
    const test::DataCase& c = GetParam();
    // Opened as the port test leaves it; the slot still says handheld from an earlier terminal.
    SimHarness h;
    const auto pn = c.field("pn").toUShort();
    ASSERT_TRUE(h.loadText(QStringLiteral("[terminal t]\nports = %1\n").arg(pn) + c.field("scenario")));
    PortStatus& port = h.state.tables.port[SlotOfPort(pn)];
    TerminalInfo& info = h.state.tables.terminal[SlotOfPort(pn)];
    port.InterfaceText = QStringLiteral("before");
    port.BaudRateText = QStringLiteral("9600 Baud ");
    info.IsMobile = true;
    ASSERT_EQ(h.session.OpenTerminal(pn), 0);
    h.clearLog();
    EXPECT_EQ(IdentifyTerminal(h.session, h.state.tables, pn), c.field("result").toInt());
    EXPECT_EQ(info.ModelText.str().trimmed(), c.field("model"));
    EXPECT_EQ(port.InterfaceText.str().trimmed(), c.field("interface"));
    const QString commands = c.field("commands");
    EXPECT_TRUE(commands == QLatin1String("-") || h.commands() == commands.split(QLatin1Char(' ')))
        << qPrintable(h.commands().join(' '));
    EXPECT_EQ(QString::number(info.Responding) + QString::number(info.IsMobile) +
                  QString::number(info.ViaUsbVirtualCom),
              c.field("flags"));
    const QString types = info.CtType.str() + "|" + info.Manufacturer.str() + "|" + port.BaudRateText.str();
    EXPECT_TRUE(c.field("types") == QLatin1String("-") || types == c.field("types")) << qPrintable(types);
}

INSTANTIATE_TEST_SUITE_P(IdentifyTerminal, IdentifyTerminalCase,
                         ::testing::ValuesIn(test::DataCases("discovery/identify_terminal.txt")),
                         test::CaseName());

} // namespace
} // namespace kc
