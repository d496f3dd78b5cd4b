// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"
#include "cards/read_loop.h"
#include "data_cases.h"
#include "sim_harness.h"

#include <QMap>
#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(InterfaceTextTest, NamesThePortAsThePromptShowsIt) {
    EXPECT_EQ(InterfaceTextOfPort(1), QStringLiteral(" COM  1"));
    EXPECT_EQ(InterfaceTextOfPort(256), QStringLiteral(" COM  256"));
    EXPECT_EQ(InterfaceTextOfPort(8192), QStringLiteral(" USB Device 1 (CTAPI pn=8192)"));
    EXPECT_EQ(InterfaceTextOfPort(8447), QStringLiteral(" USB Device 256 (CTAPI pn=8447)"));
    EXPECT_EQ(InterfaceTextOfPort(257), QStringLiteral(" ?  (CTAPI pn=257)"));
    EXPECT_EQ(InterfaceTextOfPort(8448), QStringLiteral(" ?  (CTAPI pn=8448)"));
}

class ReadLoopCase : public ::testing::TestWithParam<test::DataCase> {};

// One loop of tests/data/cards/read_loop.txt.
TEST_P(ReadLoopCase, PromptsShowsStatusesAndRetries) {
    const test::DataCase& c = GetParam();
    const QMap<QChar, QString> status{
        {QLatin1Char('l'), QStringLiteral("Die Krankenversichertendaten lesen")},
        {QLatin1Char('g'), QStringLiteral("Die Krankenversichertendaten werden gelesen")},
        {QLatin1Char('a'), QStringLiteral("Die Krankenversichertendaten werden angezeigt")}};
    const uint16_t pn = c.field("port").toUShort();
    const auto h = test::Harness(QStringLiteral("kvk/") + c.field("scenario"));
    h->state.tables.terminal[pn].IsMobile = c.field("handheld") == QStringLiteral("1");
    h->state.tables.port[3].InterfaceText = QStringLiteral("COM 3");
    for (const QString& answer : test::Items(c.field("answers")))
        h->boxes.script({answer == QStringLiteral("Ok")    ? MsgAnswer::Ok
                         : answer == QStringLiteral("Yes") ? MsgAnswer::Yes
                         : answer == QStringLiteral("No")  ? MsgAnswer::No
                                                           : MsgAnswer::Cancel});
    int prompts = 0;
    EXPECT_EQ(RunReadLoop(h->ctx, pn, pn, InterfaceTextOfPort(pn), [&prompts] { ++prompts; }),
              test::ResultOf(c.field("result")));
    EXPECT_EQ(prompts, c.field("prompts").toInt());
    QStringList statuses;
    for (const QChar code : c.field("statuses"))
        statuses += status.value(code);
    EXPECT_EQ(h->status.statuses, statuses);
    EXPECT_EQ(test::Shown(h->boxes.shown), test::BoxesOf(c.field("boxes")));
    EXPECT_EQ(h->state.tables.terminal[pn].HasCardData, c.field("result") == QStringLiteral("Done"));
}

INSTANTIATE_TEST_SUITE_P(ReadLoop, ReadLoopCase, ::testing::ValuesIn(test::DataCases("cards/read_loop.txt")),
                         test::CaseName());

TEST(ReadLoopTest, TheSlotsStatusPageShowsWhatTheReadFoundOut) {
    const auto h = test::Harness(QStringLiteral("kvk/insert_card_later.scn"));
    h->state.tables.port[3].InterfaceText = QStringLiteral("COM 3");
    h->boxes.script({MsgAnswer::Ok});
    EXPECT_EQ(RunReadLoop(h->ctx, 3, 3, InterfaceTextOfPort(3)), ReadResult::Done);
    EXPECT_EQ(h->state.tables.insured[3][Familienname], QStringLiteral("Apfel"));
    EXPECT_EQ(h->state.ui.statusPages[3].values[0], QStringLiteral("COM 3").leftJustified(60));
    EXPECT_EQ(h->state.ui.statusPages[3].values[6].trimmed(), QStringLiteral("PC (ASN-1)"));
}

} // namespace
} // namespace kc
