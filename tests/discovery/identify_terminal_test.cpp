#include "data_rows.h"
#include "discovery/identify_terminal.h"

#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::SimHarness;

// A terminal on pn with the given answers, opened as the port test leaves it.
struct Identified {
    SimHarness h;
    int16_t result = 0;
    int slot = 0;

    Identified(uint16_t pn, const QString& settings) {
        if (!h.loadText(QStringLiteral("[terminal t]\nports = %1\n").arg(pn) + settings)) {
            ADD_FAILURE() << qPrintable(h.loadError());
            return;
        }
        slot = SlotOfPort(pn);
        h.state.tables.port[slot].InterfaceText = QStringLiteral("before");
        h.state.tables.port[slot].BaudRateText = QStringLiteral("9600 Baud ");
        if (h.session.OpenTerminal(pn) != 0) {
            ADD_FAILURE() << "terminal did not open";
            return;
        }
        h.clearLog();
        result = IdentifyTerminal(h.session, h.state.tables, pn);
    }
    const TerminalInfo& info() { return h.state.tables.terminal[slot]; }
    const PortStatus& port() { return h.state.tables.port[slot]; }
};

// One case a line in tests/data/discovery/identify_terminal.txt.
TEST(IdentifyTerminal, AnswersGiveModelInterfaceAndFlags) {
    const auto rows = test::DataRows("discovery/identify_terminal.txt");
    ASSERT_EQ(rows.size(), 25u);
    for (const QStringList& c : rows) {
        SCOPED_TRACE(qPrintable(c.join(QLatin1Char(';'))));
        Identified t(c[0].toUShort(), c[1]);
        EXPECT_EQ(t.result, c[2].toInt());
        EXPECT_EQ(t.info().ModelText.str().trimmed(), c[3]);
        EXPECT_EQ(t.port().InterfaceText.str().trimmed(), c[4]);
        if (c[5] != QLatin1String("-")) {
            EXPECT_EQ(t.h.commands(), c[5].split(QLatin1Char(' ')));
        }
        EXPECT_EQ(QStringLiteral("%1%2%3")
                      .arg(int(t.info().Responding))
                      .arg(int(t.info().IsMobile))
                      .arg(int(t.info().ViaUsbVirtualCom)),
                  c[6]);
        if (c[7] != QLatin1String("-")) {
            EXPECT_EQ(t.info().CtType.str() + "|" + t.info().Manufacturer.str() + "|" +
                          t.port().BaudRateText.str(),
                      c[7]);
        }
    }
}

TEST(IdentifyTerminal, ClearsTheHandheldFlagOfAnEarlierTerminal) {
    Identified t(1, QStringLiteral("get-status-46 = 46 0F \"DEZAV\" \"QKT-1\" \"3.1.0\" 90 00\n"));
    t.h.state.tables.terminal[1].IsMobile = true;
    IdentifyTerminal(t.h.session, t.h.state.tables, 1);
    EXPECT_FALSE(t.info().IsMobile);
}

} // namespace
} // namespace kc
