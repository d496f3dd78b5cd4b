// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"
#include "cards/card_ready_check.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(CardReadyCheckTest, ReadinessCommandsAndMessagesPerSituation) {
    for (const QStringList& c : test::CaseRows("cards/card_ready.txt")) {
        SCOPED_TRACE((c[0] + QStringLiteral(" on ") + c[1]).toStdString());
        const uint16_t pn = c[1].toUShort();
        const int slot = pn == 8192 ? 5 : pn;
        const auto h =
            test::Harness(c[0].endsWith(QLatin1String(".scn")) ? QStringLiteral("kvk/") + c[0] : c[0]);
        for (const QString& step : test::Items(c[6]))
            test::Prepare(*h, step, pn);
        EXPECT_EQ(CheckCardReady(h->ctx, pn),
                  c[2] == QStringLiteral("ReadNow") ? CardReadiness::ReadNow : CardReadiness::InsertCard);
        if (c[3] != QStringLiteral("-")) {
            EXPECT_EQ(h->apduLog(), test::Items(c[3]));
        }
        EXPECT_EQ(test::Shown(h->boxes.shown), test::BoxesOf(c[4]));
        EXPECT_FALSE(h->session.SessionOpen());
        EXPECT_EQ(h->state.tables.terminal[slot].OutputMedium.str().trimmed(), c[5]);
        EXPECT_FALSE(h->state.tables.terminal[slot].IsLocked);
    }
}

TEST(CardReadyCheckTest, KeyCardLockIsRememberedForTheSlot) {
    const auto h = test::Harness(QStringLiteral("kvk/handheld_keycard.scn"));
    EXPECT_EQ(CheckCardReady(h->ctx, 1), CardReadiness::InsertCard);
    EXPECT_TRUE(h->state.tables.terminal[1].IsLocked);
    EXPECT_TRUE(h->boxes.shown.empty());
}

} // namespace
} // namespace kc
