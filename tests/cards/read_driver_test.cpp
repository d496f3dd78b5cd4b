// SPDX-License-Identifier: Apache-2.0
#include "base/egk_read_hook.h"
#include "card_test_support.h"
#include "cards/read_insurance_card.h"
#include "data_cases.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::Box;

const QString kResetCt = QStringLiteral("2011000000");
const QString kRequestIcc = QStringLiteral("201201000101");
const QString kEgkWarning =
    Box(QStringLiteral(
            " Achtung, Lesetest an einem Gerät der Zavia Q3 Serie! \r\n Nach Durchführen eines Lesetests "
            "an einem Gerät der Zavia Q3 Serie \r\n mit dieser Testsoftware wird der gelesene Datensatz "
            "\r\n automatisch gelöscht!\r\n\r\n                          Möchten Sie fortfahren? "),
        MsgButtons::YesNo, MsgIcon::Question, true);

class ReadDriverCase : public ::testing::TestWithParam<test::DataCase> {};

// The commands, boxes and result of one read, from tests/data/cards/read_driver.txt.
TEST_P(ReadDriverCase, SendsShowsAndGives) {
    const test::DataCase& c = GetParam();
    const uint16_t pn = c.field("port").toUShort();
    const QString scenario = c.field("scenario");
    const auto h = test::Harness(scenario.endsWith(QLatin1String(".scn")) ? QStringLiteral("kvk/") + scenario
                                                                          : scenario);
    for (const QString& step : test::Items(c.field("before")))
        test::Prepare(*h, step, pn);
    for (const QString& answer : test::Items(c.field("answers")))
        h->boxes.script({answer == QStringLiteral("Yes") ? MsgAnswer::Yes : MsgAnswer::No});
    h->state.SelectedPort = pn;
    const ReadResult result = ReadInsuranceCard(h->ctx, pn);
    EXPECT_EQ(result, test::ResultOf(c.field("result")));
    if (c.field("apdus") != QStringLiteral("-")) {
        EXPECT_EQ(h->apduLog(), test::Items(c.field("apdus")));
    }
    EXPECT_EQ(test::Shown(h->boxes.shown), test::BoxesOf(c.field("boxes")));
    EXPECT_EQ(h->state.tables.terminal[pn].HasCardData, result == ReadResult::Done);
    EXPECT_EQ(h->session.SessionOpen(), c.field("checks").contains(QLatin1String("open=1")));
    test::ExpectSeen(*h, c.field("checks"), pn);
}

INSTANTIATE_TEST_SUITE_P(ReadDriver, ReadDriverCase,
                         ::testing::ValuesIn(test::DataCases("cards/read_driver.txt")), test::CaseName());

class RecordingEgkReader : public EgkReadHook {
  public:
    ReadResult ReadEgkFromCard(Context&, uint16_t pn) override {
        calls.append(QStringLiteral("card %1").arg(pn));
        return result;
    }
    ReadResult ReadEgkFromMobileTerminal(Context&, int slot) override {
        calls.append(QStringLiteral("mobile %1").arg(slot));
        return result;
    }
    QStringList calls;
    ReadResult result = ReadResult::Done;
};

TEST(ReadDriverTest, ProcessorCardGoesToTheEgkReaderAfterClearingItsResults) {
    const auto h = test::Harness(QStringLiteral("[terminal desk]\nports = 8192\ncard = egk\n"));
    EgkResults& egk = h->state.tables.egk[5];
    egk.IccSerialNumber = QStringLiteral("80276883110000017222");
    egk.VsdStatus = QStringLiteral("00");
    egk.EgkValidationText = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    RecordingEgkReader reader;
    h->ctx.egk = &reader;
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 8192), ReadResult::Done);
    EXPECT_EQ(reader.calls, QStringList({QStringLiteral("card 8192")}));
    EXPECT_EQ(egk.IccSerialNumber + egk.VsdStatus + egk.EgkValidationText[0] + egk.EgkValidationText[1] +
                  egk.EgkValidationText[2],
              QString());
    EXPECT_TRUE(h->state.tables.terminal[5].IsEgk && h->state.tables.terminal[5].HasCardData);
    // The eGK answers REQUEST ICC with 9001 itself, so no RESET ICC follows.
    EXPECT_EQ(h->apduLog(), QStringList({"init 8192", kResetCt, kRequestIcc, kResetCt, "close"}));

    NoEgkReader none;
    h->ctx.egk = &none;
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 8192), ReadResult::Failed);
    EXPECT_FALSE(h->state.tables.terminal[5].IsEgk || h->state.tables.terminal[5].HasCardData);
    EXPECT_FALSE(h->session.SessionOpen());
}

TEST(ReadDriverTest, HandheldEgkRecordNeedsTheWarningFirst) {
    const auto h =
        test::Harness(QStringLiteral("[terminal visit]\nports = 1\nkind = handheld\ncard = egk\n"));
    RecordingEgkReader reader;
    h->ctx.egk = &reader;
    h->boxes.script({MsgAnswer::No, MsgAnswer::Yes});
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 1), ReadResult::Failed);
    EXPECT_TRUE(reader.calls.isEmpty());
    EXPECT_TRUE(h->session.SessionOpen());
    EXPECT_EQ(test::Shown(h->boxes.shown), QStringList{kEgkWarning});

    h->session.ResetAndCloseTerminal();
    reader.result = ReadResult::Refused;
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 1), ReadResult::Failed);
    EXPECT_EQ(reader.calls, QStringList({QStringLiteral("mobile 1")}));
    EXPECT_FALSE(h->state.tables.terminal[1].IsEgk || h->state.tables.terminal[1].HasCardData);
}

} // namespace
} // namespace kc
