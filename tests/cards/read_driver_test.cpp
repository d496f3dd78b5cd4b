// SPDX-License-Identifier: Apache-2.0
#include "base/egk_read_hook.h"
#include "card_test_support.h"
#include "cards/read_insurance_card.h"

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

TEST(ReadDriverTest, CommandsBoxesAndResultPerSituation) {
    for (const QStringList& row : test::CaseRows("cards/read_driver.txt")) {
        SCOPED_TRACE((row[0].left(80) + QLatin1Char(' ') + row[2]).toStdString());
        const uint16_t pn = row[1].toUShort();
        const auto h =
            test::Harness(row[0].endsWith(QLatin1String(".scn")) ? QStringLiteral("kvk/") + row[0] : row[0]);
        for (const QString& step : test::Items(row[6]))
            test::Prepare(*h, step, pn);
        for (const QString& answer : test::Items(row[2]))
            h->boxes.script({answer == QStringLiteral("Yes") ? MsgAnswer::Yes : MsgAnswer::No});
        h->state.SelectedPort = pn;
        const ReadResult result = ReadInsuranceCard(h->ctx, pn);
        EXPECT_EQ(result, test::ResultOf(row[3]));
        if (row[4] != QStringLiteral("-")) {
            EXPECT_EQ(h->apduLog(), test::Items(row[4]));
        }
        EXPECT_EQ(test::Shown(h->boxes.shown), test::BoxesOf(row[5]));
        EXPECT_EQ(h->state.tables.terminal[pn].HasCardData, result == ReadResult::Done);
        EXPECT_EQ(h->session.SessionOpen(), row[7].contains(QLatin1String("open=1")));
        test::ExpectSeen(*h, row[7], pn);
    }
}

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
