// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"
#include "data_cases.h"
#include "egk/egk_card_reader.h"

#include <functional>
#include <gtest/gtest.h>

namespace kc {
namespace {

const QString kSelectVd = QStringLiteral("00A4020C02D002");
const QString kSelectGvd = QStringLiteral("00A4020C02D003");

// "[terminal desk]" with the 80276883110000017222 images, EF.VD as given, then the extra lines.
QString Desk(const QString& extra, const QString& vd = {}) {
    const QString base = QStringLiteral("@egk/../cards/EGKG2_80276883110000017222__EF_");
    return QStringLiteral("[terminal desk]\nports = 8192\ncard = egk\ncard.gdo = %1GDO.hex\ncard.vd = %2\n"
                          "card.pd = %1PD.hex\ncard.gvd = %1GVD.hex\ncard.statusvd = %1StatusVD.hex\n")
               .arg(base, vd.isEmpty() ? base + QStringLiteral("VD.hex") : vd) +
           extra;
}

using Check = std::function<void(test::SimHarness&)>;

// The card reader run once on slot 5 (USB device 1) of a fresh harness.
struct EgkRead {
    explicit EgkRead(const QString& scenario, const Check& prepare = {})
        : h(test::Harness(scenario.endsWith(QLatin1String(".scn")) ? QStringLiteral("egk/") + scenario
                                                                   : scenario)) {
        if (prepare)
            prepare(*h);
        EXPECT_EQ(h->session.OpenTerminal(8192), 0);
        h->clearLog();
        result = ReadEgkFromCard(h->ctx, 8192);
    }

    std::unique_ptr<test::SimHarness> h;
    ReadResult result = ReadResult::Failed;
};

class GvdInEfGvd : public ::testing::TestWithParam<QStringList> {};

// One card of tests/data/egk/gvd_in_ef_gvd.txt: GVD offsets that name no stretch lead to EF.GVD.
TEST_P(GvdInEfGvd, IsReadFromEfGvd) {
    const QString& scenario = GetParam()[1];
    const EgkRead r(scenario.endsWith(QLatin1String(".scn")) ? scenario : Desk({}, scenario));
    EXPECT_EQ(r.result, ReadResult::Done);
    const QStringList log = r.h->apduLog();
    const auto gvdFile = log.indexOf(kSelectGvd);
    ASSERT_GE(gvdFile, 0);
    EXPECT_EQ(log.mid(gvdFile - 2, 6),
              QStringList({kSelectVd, "00B0000404", kSelectGvd, "00B0000002", "00B00002FE", "00B0010002"}));
    EXPECT_TRUE(r.h->boxes.shown.empty());
    EXPECT_EQ(test::Seen(*r.h, QStringLiteral("gvd"), 8192), QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(EgkCardReader, GvdInEfGvd,
                         ::testing::ValuesIn(test::CaseRows("egk/gvd_in_ef_gvd.txt")), test::FirstCellName());

class EgkReaderCase : public ::testing::TestWithParam<test::DataCase> {};

// What goes wrong is named and what was read is kept: tests/data/egk/egk_reader_errors.txt.
TEST_P(EgkReaderCase, NamesWhatWentWrongAndKeepsWhatWasRead) {
    const test::DataCase& c = GetParam();
    const QString scenario = c.field("scenario");
    const EgkRead r(scenario.endsWith(QLatin1String(".scn")) ? scenario : Desk(scenario, c.field("vd")),
                    [&c](test::SimHarness& h) {
                        for (const QString& step : test::Items(c.field("before")))
                            test::Prepare(h, step, 8192);
                    });
    EXPECT_EQ(r.result, test::ResultOf(c.field("result")));
    EXPECT_EQ(test::Shown(r.h->boxes.shown), test::BoxesOf(c.field("boxes")));
    test::ExpectSeen(*r.h, c.field("checks"), 8192);
}

INSTANTIATE_TEST_SUITE_P(EgkReaderErrors, EgkReaderCase,
                         ::testing::ValuesIn(test::DataCases("egk/egk_reader_errors.txt")), test::CaseName());

TEST(EgkCardReaderTest, TestLabCardWithNamedGzipMembers) {
    const auto h = test::Harness(QStringLiteral("egk/stationary_test_lab_card.scn"));
    ASSERT_EQ(h->session.OpenTerminal(2), 0);
    EXPECT_EQ(ReadEgkFromCard(h->ctx, 2), ReadResult::Done);
    EXPECT_TRUE(h->boxes.shown.empty());
    EXPECT_EQ(h->state.tables.egk[2].IccSerialNumber, QStringLiteral("80276883119861412806"));
    EXPECT_FALSE(h->state.tables.insured[2][Familienname].isEmpty());
    EXPECT_FALSE(h->state.tables.insured[2][Krankenkassenname].isEmpty());
}

} // namespace
} // namespace kc
