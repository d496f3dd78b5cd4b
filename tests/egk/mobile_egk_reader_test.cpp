// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"
#include "data_cases.h"
#include "egk/mobile_egk_reader.h"
#include "egk/mobile_status_walk.h"
#include "sim_harness.h"
#include "terminal/hex_codec.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

class StatusWalkCase : public ::testing::TestWithParam<test::DataCase> {};

// The objects, their checksum and what is cut, from tests/data/egk/mobile_walk.txt.
TEST_P(StatusWalkCase, FindsObjectsChecksumAndWhatIsCut) {
    const test::DataCase& c = GetParam();
    MobileVsdRecord record = PresetMobileVsdRecord();
    const StatusWalk walk = WalkMobileStatusData(HexToBytes(c.field("status")), record);
    if (c.field("matches") != QStringLiteral("-")) {
        EXPECT_EQ(MobileChecksumMatches(record, walk.xorSum), c.field("matches") == QStringLiteral("1"));
    }
    if (c.field("xor") != QStringLiteral("-")) {
        EXPECT_EQ(walk.xorSum, c.field("xor").toInt(nullptr, 16));
    }
    for (const QString& entry : test::Items(c.field("entries")))
        EXPECT_EQ(record[entry.section(QLatin1Char('='), 0, 0).toUInt()],
                  entry.section(QLatin1Char('='), 1, -1));
    if (c.field("messages") != QStringLiteral("-")) {
        EXPECT_EQ(walk.messages, test::Items(c.field("messages")));
    }
}

INSTANTIATE_TEST_SUITE_P(MobileStatusWalk, StatusWalkCase,
                         ::testing::ValuesIn(test::DataCases("egk/mobile_walk.txt")), test::CaseName());

class DerivedFieldCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/egk/mobile_derived.txt: the read date, or the approval number beside it.
TEST_P(DerivedFieldCase, GivesValueAndMessage) {
    const QStringList& c = GetParam();
    const DerivedField field = c[2].isEmpty() ? ReadDateField(c[1]) : ApprovalNumberField(c[1], c[2]);
    EXPECT_EQ(field.value, c[3] == QStringLiteral("-") ? std::nullopt : std::optional<QString>(c[3]));
    EXPECT_EQ(field.message, c[4]);
}

INSTANTIATE_TEST_SUITE_P(MobileDerivedFields, DerivedFieldCase,
                         ::testing::ValuesIn(test::CaseRows("egk/mobile_derived.txt")),
                         test::FirstCellName());

class MobileEgkCase : public ::testing::TestWithParam<test::DataCase> {};

// What the handheld holds and what goes wrong, from tests/data/egk/mobile_egk.txt.
TEST_P(MobileEgkCase, ReadsWhatTheHandheldHolds) {
    const test::DataCase& c = GetParam();
    const QString scenario = c.field("scenario");
    const auto h = test::Harness(
        scenario.endsWith(QLatin1String(".scn"))
            ? QStringLiteral("egk/") + scenario
            : QStringLiteral("[terminal visit]\nports = 1\nkind = handheld\ncard = egk\n"
                             "card.statusvd = @egk/cards/handheld_status_yyyymmdd.hex\n"
                             "card.pd = @egk/cards/EGK_G2_1_80276883110000095711__EF_PD.hex\n"
                             "card.vd = @egk/cards/EGK_G2_1_80276883110000095711__EF_VD.hex\n") +
                  scenario);
    h->state.tables.insured[1][Familienname] = QStringLiteral("vorher");
    h->state.tables.terminal[1].IsMobile = true;
    ASSERT_EQ(h->session.OpenTerminal(1), 0);
    h->clearLog();
    EXPECT_EQ(ReadEgkFromMobileTerminal(h->ctx, 1), test::ResultOf(c.field("result")));
    if (c.field("apdus") != QStringLiteral("-")) {
        EXPECT_EQ(h->apduLog(), test::Items(c.field("apdus")));
    }
    EXPECT_EQ(test::Shown(h->boxes.shown), test::BoxesOf(c.field("boxes")));
    test::ExpectSeen(*h, c.field("checks"), 1);
}

INSTANTIATE_TEST_SUITE_P(MobileEgkReader, MobileEgkCase,
                         ::testing::ValuesIn(test::DataCases("egk/mobile_egk.txt")), test::CaseName());

} // namespace
} // namespace kc
