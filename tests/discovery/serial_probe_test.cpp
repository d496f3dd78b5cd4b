// SPDX-License-Identifier: Apache-2.0
#include "base/slot_tables.h"
#include "data_cases.h"
#include "data_rows.h"
#include "discovery/baud_probe.h"
#include "discovery/pnp_probe.h"
#include "discovery/port_test.h"
#include "discovery/serial_settings.h"
#include "fake_ui.h"
#include "scripted_serial_line.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::CountingEventPump;
using test::ScriptedSerialLine;
using test::SerialDevice;

// A list of the case, "none" for an empty one, NAME*COUNT for repeats.
QStringList ListOf(const QString& cell) {
    QStringList items;
    for (const QString& item : test::Items(cell == QStringLiteral("none") ? QString() : cell))
        for (int i = 0; i < qMax(1, item.section(QLatin1Char('*'), 1).toInt()); ++i)
            items.append(item.section(QLatin1Char('*'), 0, 0));
    return items;
}

class SerialProbeCase : public ::testing::TestWithParam<test::DataCase> {};

// What a probe finds, waits for and does on the line, and that it leaves the line closed.
TEST_P(SerialProbeCase, FindsWaitsAndLeavesTheLineClosed) {
    const test::DataCase& c = GetParam();
    ScriptedSerialLine line;
    CountingEventPump pump;
    SlotTables tables;
    const auto pn = c.field("port").toUShort();
    if (c.field("device") != QStringLiteral("none"))
        line.devices[pn] = DeviceOf(c);
    const QString probe = c.field("probe");
    QString result = QStringLiteral("-");
    if (probe == QStringLiteral("baud")) {
        const int code = ProbeBaudRate(line, pump, tables, pn);
        if (pn <= 5)
            result = QStringLiteral("%1|%2|%3")
                         .arg(code)
                         .arg(tables.port[pn].BaudRateText.str().trimmed())
                         .arg(int(tables.port[pn].BaudProbed));
    } else if (probe == QStringLiteral("pnp")) {
        result = ProbeSerialPnp(line, pump, pn).value_or(QStringLiteral("-"));
    } else {
        const ComProbe com = ProbeComPort(line, pump, pn);
        result = QStringLiteral("%1|%2").arg(com.result).arg(int(com.dsr));
    }
    EXPECT_EQ(result, c.field("result"));
    EXPECT_FALSE(line.isOpen());
    QStringList waits;
    for (const WaitTimer timer : pump.waits)
        waits.append(QStringLiteral("Timer%1").arg(int(timer) + 1));
    if (!c.field("waits").isEmpty()) {
        EXPECT_EQ(waits, ListOf(c.field("waits")));
    }
    if (!c.field("log").isEmpty()) {
        EXPECT_EQ(line.log, ListOf(c.field("log")));
    }
    if (!c.field("settings").isEmpty()) {
        EXPECT_EQ(line.log.filter(QStringLiteral("settings")), ListOf(c.field("settings")));
    }
}

INSTANTIATE_TEST_SUITE_P(SerialProbes, SerialProbeCase,
                         ::testing::ValuesIn(test::DataCases("discovery/serial_probes.txt")),
                         test::CaseName());

class PnpIdCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/discovery/pnp_ids.txt: the identifier in the received text.
TEST_P(PnpIdCase, IsFoundInTheReceivedText) {
    const std::optional<PnpId> id = ParsePnpId(GetParam()[1]);
    EXPECT_EQ(id ? id->manufacturer + "|" + id->product : QString(), GetParam()[2]);
}

INSTANTIATE_TEST_SUITE_P(PnpParsing, PnpIdCase, ::testing::ValuesIn(test::DataRows("discovery/pnp_ids.txt")),
                         test::FirstCellName());

class SerialSettingsCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/discovery/serial_settings.txt: the text of the control, parsed or rejected.
TEST_P(SerialSettingsCase, ParsesOrRejectsTheText) {
    const auto s = ParseSerialSettings(GetParam()[1]);
    EXPECT_EQ(s ? QStringLiteral("%1 %2 %3").arg(s->baud).arg(s->parity).arg(s->dataBits) : QString(),
              GetParam()[2]);
}

INSTANTIATE_TEST_SUITE_P(SerialSettings, SerialSettingsCase,
                         ::testing::ValuesIn(test::DataRows("discovery/serial_settings.txt")),
                         test::FirstCellName());

} // namespace
} // namespace kc
