// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"
#include "cards/card_ready_check.h"
#include "data_cases.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

class CardReadyCase : public ::testing::TestWithParam<test::DataCase> {};

// Readiness, commands and messages of one situation: tests/data/cards/card_ready.txt.
TEST_P(CardReadyCase, SaysWhetherToReadNow) {
    const test::DataCase& c = GetParam();
    const uint16_t pn = c.field("port").toUShort();
    const int slot = SlotOfPort(pn);
    const QString scenario = c.field("scenario");
    const auto h = test::Harness(scenario.endsWith(QLatin1String(".scn")) ? QStringLiteral("kvk/") + scenario
                                                                          : scenario);
    for (const QString& step : test::Items(c.field("before")))
        test::Prepare(*h, step, pn);
    EXPECT_EQ(CheckCardReady(h->ctx, pn), c.field("readiness") == QStringLiteral("ReadNow")
                                              ? CardReadiness::ReadNow
                                              : CardReadiness::InsertCard);
    if (c.field("apdus") != QStringLiteral("-")) {
        EXPECT_EQ(h->apduLog(), test::Items(c.field("apdus")));
    }
    EXPECT_EQ(test::Shown(h->boxes.shown), test::BoxesOf(c.field("boxes")));
    EXPECT_FALSE(h->session.SessionOpen());
    EXPECT_EQ(h->state.tables.terminal[slot].OutputMedium.str().trimmed(), c.field("medium"));
    EXPECT_EQ(h->state.tables.terminal[slot].IsLocked, c.field("locked") == QStringLiteral("yes"));
}

INSTANTIATE_TEST_SUITE_P(CardReadyCheck, CardReadyCase,
                         ::testing::ValuesIn(test::DataCases("cards/card_ready.txt")), test::CaseName());

} // namespace
} // namespace kc
