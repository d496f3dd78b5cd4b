// SPDX-License-Identifier: Apache-2.0
#include "base/card_display.h"
#include "card_test_support.h"
#include "cards/read_insurance_card.h"
#include "egk/mobile_egk_reader.h"
#include "egk/mobile_status_walk.h"
#include "sim_harness.h"
#include "terminal/hex_codec.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(MobileStatusWalkTest, ObjectsTheirChecksumAndWhatIsCut) {
    for (const QStringList& c : test::CaseRows("egk/mobile_walk.txt")) {
        SCOPED_TRACE(c[0].toStdString());
        MobileVsdRecord record = PresetMobileVsdRecord();
        const StatusWalk walk = WalkMobileStatusData(HexToBytes(c[0]), record);
        if (c[1] != QStringLiteral("-")) {
            EXPECT_EQ(MobileChecksumMatches(record, walk.xorSum), c[1] == QStringLiteral("1"));
        }
        if (c[2] != QStringLiteral("-")) {
            EXPECT_EQ(walk.xorSum, c[2].toInt(nullptr, 16));
        }
        for (const QString& entry : test::Items(c[3]))
            EXPECT_EQ(record[entry.section(QLatin1Char('='), 0, 0).toUInt()],
                      entry.section(QLatin1Char('='), 1, -1));
        if (c[4] != QStringLiteral("-")) {
            EXPECT_EQ(walk.messages, test::Items(c[4]));
        }
    }
}

TEST(MobileDerivedFieldsTest, ReadDateAndApprovalNumber) {
    for (const QStringList& c : test::CaseRows("egk/mobile_derived.txt")) {
        const DerivedField field = c[1].isEmpty() ? ReadDateField(c[0]) : ApprovalNumberField(c[0], c[1]);
        EXPECT_EQ(field.value, c[2] == QStringLiteral("-") ? std::nullopt : std::optional<QString>(c[2]))
            << qPrintable(c[0] + QLatin1Char('|') + c[1]);
        EXPECT_EQ(field.message, c[3]);
    }
}

TEST(MobileEgkReaderTest, WhatTheHandheldHoldsAndWhatGoesWrong) {
    for (const QStringList& c : test::CaseRows("egk/mobile_egk.txt")) {
        SCOPED_TRACE(c[0].toStdString());
        const auto h = test::Harness(
            c[0].endsWith(QLatin1String(".scn"))
                ? QStringLiteral("egk/") + c[0]
                : QStringLiteral("[terminal visit]\nports = 1\nkind = handheld\ncard = egk\n"
                                 "card.statusvd = @egk/cards/handheld_status_yyyymmdd.hex\n"
                                 "card.pd = @egk/cards/EGK_G2_1_80276883110000095711__EF_PD.hex\n"
                                 "card.vd = @egk/cards/EGK_G2_1_80276883110000095711__EF_VD.hex\n") +
                      c[0]);
        h->state.tables.insured[1][Familienname] = QStringLiteral("vorher");
        h->state.tables.terminal[1].IsMobile = true;
        ASSERT_EQ(h->session.OpenTerminal(1), 0);
        h->clearLog();
        EXPECT_EQ(ReadEgkFromMobileTerminal(h->ctx, 1), test::ResultOf(c[1]));
        if (c[2] != QStringLiteral("-")) {
            EXPECT_EQ(h->apduLog(), test::Items(c[2]));
        }
        EXPECT_EQ(test::Shown(h->boxes.shown), test::BoxesOf(c[3]));
        test::ExpectSeen(*h, c[4], 1);
    }
}

TEST(MobileEgkReaderTest, ReadDriverAsksFirstAndShowsTheHandheldView) {
    const auto h = test::Harness(QStringLiteral("egk/handheld_egk.scn"));
    h->boxes.script({MsgAnswer::Yes});
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 1), ReadResult::Done);
    EXPECT_EQ(h->apduLog().mid(0, 4),
              QStringList({"init 1", "2011000000", "201201000101", "00A4040C06D27600000102"}));
    const TerminalInfo& info = h->state.tables.terminal[1];
    EXPECT_TRUE(info.IsMobile && info.IsEgk && info.HasCardData);
    ShowInsuredRecord(h->state.tables, 1, h->state.ui.card);
    EXPECT_EQ(h->state.ui.card.frameCaption,
              QStringLiteral("eGK VSDaten(Mobil) abgebildet auf die Krankenversicherten Kartendaten"));
    EXPECT_EQ(h->state.ui.card.values[16] + h->state.ui.card.values[17], QStringLiteral("10.10.2008103"));
}

} // namespace
} // namespace kc
