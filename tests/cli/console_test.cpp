// SPDX-License-Identifier: Apache-2.0
#include "cards/card_read.h"
#include "case_rows.h"
#include "command_line.h"
#include "console_boxes.h"
#include "console_io.h"
#include "console_status.h"
#include "console_views.h"
#include "exit_status.h"
#include "explaining_serial_line.h"
#include "test_printers.h"

#include <QFile>
#include <QMap>
#include <QString>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace kc::cli {
namespace {

// A console whose input is a given text and whose two output streams are collected.
class ScriptedConsole {
  public:
    explicit ScriptedConsole(const QByteArray& input)
        : in_(std::tmpfile()), data_(std::tmpfile()), messages_(std::tmpfile()) {
        std::fwrite(input.constData(), 1, std::size_t(input.size()), in_.get());
        std::rewind(in_.get());
    }
    Console& console() { return console_; }
    QString data() { return Collected(data_.get()); }
    QString messages() { return Collected(messages_.get()); }

  private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    static QString Collected(std::FILE* file) {
        std::fflush(file);
        std::rewind(file);
        QFile read;
        read.open(file, QIODevice::ReadOnly);
        return QString::fromUtf8(read.readAll());
    }
    std::unique_ptr<std::FILE, Closer> in_;
    std::unique_ptr<std::FILE, Closer> data_;
    std::unique_ptr<std::FILE, Closer> messages_;
    Console console_{data_.get(), messages_.get(), in_.get()};
};

const MessageRequest kYesNoNoDefault{QStringLiteral(" Frage? \r\n zweite Zeile "),
                                     QStringLiteral(" KartoCheck "), MsgButtons::YesNo, MsgIcon::Question,
                                     true};
const MessageRequest kYesNoYesDefault{QStringLiteral(" Noch einmal versuchen? "), kBoxTitle,
                                      MsgButtons::YesNo, MsgIcon::Question, false};
const MessageRequest kOkCancelOkDefault{QStringLiteral("x"), kBoxTitle, MsgButtons::OkCancel,
                                        MsgIcon::Exclamation, false};
const MessageRequest kKvkEraseWarning{EraseWarningText(QStringLiteral("VEX K7/Serie Q3/Q4 Gerät")), kBoxTitle,
                                      MsgButtons::YesNo, MsgIcon::Question, true};

TEST(ConsoleAnswerTest, GermanWordsAndTheirFirstLetters) {
    EXPECT_EQ(AnswerOfLine(QStringLiteral("j")), MsgAnswer::Yes);
    EXPECT_EQ(AnswerOfLine(QStringLiteral(" JA ")), MsgAnswer::Yes);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("Nein")), MsgAnswer::No);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("OK")), MsgAnswer::Ok);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("a")), MsgAnswer::Cancel);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("yes")), std::nullopt);
    EXPECT_EQ(AnswerOfLine(QString()), std::nullopt);
}

TEST(ConsoleBoxesTest, BoxAndAnswerGoToTheMessageStream) {
    ScriptedConsole io("j\n");
    ConsoleMessageBoxes boxes(io.console());
    EXPECT_EQ(boxes.ask(kYesNoNoDefault), MsgAnswer::Yes);
    EXPECT_EQ(io.messages(), QStringLiteral("\n=== \" KartoCheck \" (Frage) ===\n Frage? \n zweite Zeile \n"
                                            "[Ja] [Nein]  (Vorgabe: Nein)\nAntwort (j/n): -> Ja\n"));
    EXPECT_EQ(io.data(), QString());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].source, AnswerSource::Person);
}

TEST(ConsoleBoxesTest, TheQuestionAtTheEndOfInputTakesItsDefaultLaterOnesStop) {
    ScriptedConsole io("\n");
    ConsoleMessageBoxes boxes(io.console());
    EXPECT_EQ(boxes.ask(kYesNoNoDefault), MsgAnswer::No); // empty line
    EXPECT_EQ(boxes.runEnd(), RunEnd::None);
    EXPECT_EQ(boxes.ask(kOkCancelOkDefault), MsgAnswer::Ok); // input ends here: the default
    EXPECT_EQ(boxes.ask(kYesNoYesDefault), MsgAnswer::No);   // after that: the stopping button
    EXPECT_EQ(boxes.ask(kOkCancelOkDefault), MsgAnswer::Cancel);
    EXPECT_EQ(boxes.runEnd(), RunEnd::EndOfInput);
    EXPECT_EQ(io.messages().count(QStringLiteral("(Eingabe beendet)")), 3);
}

TEST(ConsoleBoxesTest, AnAnswerTheBoxDoesNotOfferIsAskedAgain) {
    ScriptedConsole io("o\nvielleicht\nn\n");
    ConsoleMessageBoxes boxes(io.console());
    EXPECT_EQ(boxes.ask(kYesNoNoDefault), MsgAnswer::No);
    EXPECT_EQ(io.messages().count(QStringLiteral("Bitte eine der angebotenen Antworten eingeben.")), 2);
}

TEST(ConsoleBoxesTest, OkBoxNeedsNoAnswer) {
    ScriptedConsole io("n\n");
    ConsoleMessageBoxes boxes(io.console());
    boxes.inform(QStringLiteral(" Prüfsumme KVK korrupt!!! "), MsgIcon::Critical);
    EXPECT_EQ(io.messages(),
              QStringLiteral("\n=== \" KartoCheck \" (Stopp) ===\n Prüfsumme KVK korrupt!!! \n[OK]\n"));
    // The line is still there for the next box.
    EXPECT_EQ(io.console().readLine(), QStringLiteral("n"));
}

class BatchAnswers : public ::testing::TestWithParam<QStringList> {};

// A row of tests/data/cli/batch_answers.txt.
TEST_P(BatchAnswers, TakeDefaultsStopARepeatedQuestionAndEraseOnlyWhenTold) {
    const QMap<QString, MessageRequest> box{{"no-default", kYesNoNoDefault},
                                            {"yes-default", kYesNoYesDefault},
                                            {"ok-cancel", kOkCancelOkDefault},
                                            {"erase", kKvkEraseWarning}};
    const QMap<QString, MsgAnswer> answer{
        {"Yes", MsgAnswer::Yes}, {"No", MsgAnswer::No}, {"Ok", MsgAnswer::Ok}, {"Cancel", MsgAnswer::Cancel}};
    const QMap<QString, AnswerSource> source{{"Batch", AnswerSource::Batch},
                                             {"RepeatedQuestion", AnswerSource::RepeatedQuestion},
                                             {"EraseOption", AnswerSource::EraseOption}};
    ScriptedConsole io("j\nj\nj\nj\n");
    ConsoleMessageBoxes boxes(io.console(), {true, GetParam()[1] == "1"});
    for (const QString& step : test::Items(GetParam()[2])) {
        const QStringList part = step.split(QLatin1Char(':'));
        ASSERT_TRUE(part.size() == 3 && box.contains(part[0])) << qPrintable(step);
        EXPECT_EQ(boxes.ask(box[part[0]]), answer.value(part[1], MsgAnswer(-1))) << qPrintable(step);
        EXPECT_EQ(boxes.shown().back().source, source.value(part[2], AnswerSource(-1))) << qPrintable(step);
    }
    EXPECT_EQ(boxes.runEnd(), RunEnd::None);
    EXPECT_FALSE(io.messages().contains(QStringLiteral("Antwort (")));
    EXPECT_EQ(io.console().readLine(), QStringLiteral("j")); // nothing was read
}

INSTANTIATE_TEST_SUITE_P(ConsoleBoxesTest, BatchAnswers,
                         ::testing::ValuesIn(test::CaseRows("cli/batch_answers.txt")), test::FirstCellName());

TEST(ConsoleBoxesTest, EraseWarningIsKnownByItsWholeText) {
    EXPECT_TRUE(IsEraseWarning(kKvkEraseWarning));
    EXPECT_TRUE(IsEraseWarning({EraseWarningText(QStringLiteral("Gerät der Zavia Q3 Serie")), kBoxTitle,
                                MsgButtons::YesNo, MsgIcon::Question, true}));
    MessageRequest changed = kKvkEraseWarning;
    changed.text.replace(QStringLiteral("gelöscht"), QStringLiteral("gelesen"));
    EXPECT_FALSE(IsEraseWarning(changed));
    MessageRequest okOnly = kKvkEraseWarning;
    okOnly.buttons = MsgButtons::Ok;
    EXPECT_FALSE(IsEraseWarning(okOnly));
    EXPECT_FALSE(IsEraseWarning(kYesNoYesDefault));
}

TEST(ConsoleStatusTest, RepeatedTextIsPrintedOnce) {
    ScriptedConsole io("");
    ConsoleStatusLine status(io.console(), false);
    status.showStatus(QStringLiteral("A"));
    status.showStatus(QStringLiteral("A"));
    status.showStatus(QStringLiteral("B"));
    EXPECT_EQ(io.messages(), QStringLiteral("Status: A\nStatus: B\n"));
}

TEST(ConsoleViewsTest, CardViewShowsSingleAmpersandsAndEmptyRows) {
    CardDataView view;
    view.frameCaption = QStringLiteral("Krankenversicherten Kartendaten(Karte)");
    view.values[0] = QStringLiteral("Kasse && Co");
    ScriptedConsole io("");
    PrintCardView(io.console(), view);
    EXPECT_TRUE(io.data().contains(
        QStringLiteral("  Krankenkassenname:        Kasse & Co\n  Krankenkassennummer:\n")));
}

class CardDataStatusCase : public ::testing::TestWithParam<QStringList> {};

// A row of tests/data/cli/card_data_status.txt.
TEST_P(CardDataStatusCase, CardDataOfTheSlotsDecide) {
    SlotTables tables;
    for (int slot = 1; slot <= 3; ++slot)
        tables.terminal[slot].HasCardData = true;
    for (int slot = 2; slot <= 3; ++slot) {
        tables.terminal[slot].IsEgk = true;
        tables.egk[slot].PdElementList[0] = {QStringLiteral("Vorname"), QStringLiteral("Tina")};
        tables.egk[slot].VdElementList[0] = {QStringLiteral("Beginn"), QStringLiteral("20150803")};
    }
    tables.egk[2].GvdElementList[0] = {QStringLiteral("Zuzahlungsstatus"), QStringLiteral("0")};
    std::vector<int> checked;
    for (const QString& slot : test::Items(GetParam()[1]))
        if (slot != "-")
            checked.push_back(slot.toInt());
    const QMap<QString, int> status{
        {"complete", kStatusComplete}, {"incomplete", kStatusIncomplete}, {"none", kStatusNoCardData}};
    EXPECT_EQ(CardDataStatus(tables, checked), status.value(GetParam()[2], -1));
}

INSTANTIATE_TEST_SUITE_P(ExitStatusTest, CardDataStatusCase,
                         ::testing::ValuesIn(test::CaseRows("cli/card_data_status.txt")),
                         test::FirstCellName());

TEST(ExitStatusTest, AnEndedInputOverridesTheCardData) {
    EXPECT_EQ(StatusAfterRun(kStatusComplete, RunEnd::EndOfInput), kStatusEnded);
    EXPECT_EQ(StatusAfterRun(kStatusIncomplete, RunEnd::None), kStatusIncomplete);
}

class SerialReasonCase : public ::testing::TestWithParam<QStringList> {};

// A row of tests/data/cli/serial_reason.txt: the system's reason and what helps.
TEST_P(SerialReasonCase, NamesTheCauseAndWhatHelps) {
    const QStringList& c = GetParam();
    const QMap<QString, int> error{{QStringLiteral("i"), kSerialInvalidPort},
                                   {QStringLiteral("o"), kSerialPortOpen},
                                   {QStringLiteral("n"), kSerialNotAvailable}};
    const DeviceAccess access{c[1] == QStringLiteral("1"), c[2].toInt(), c[3], c[4] == QStringLiteral("1"),
                              c[5]};
    EXPECT_EQ(SerialOpenReason(2, QStringLiteral("/dev/ttyS1"), access, error.value(c[6])), c[7]);
}

INSTANTIATE_TEST_SUITE_P(SerialReasonTest, SerialReasonCase,
                         ::testing::ValuesIn(test::CaseRows("cli/serial_reason.txt")), test::FirstCellName());

TEST(SerialReasonTest, AFurtherPortHasNone) {
    EXPECT_EQ(SerialOpenReason(300, QString(), {}, kSerialInvalidPort), QString());
}

TEST(CommandLineTest, PortNumbers) {
    EXPECT_EQ(ParsePortNumber(QStringLiteral("3")), uint16_t(3));
    EXPECT_EQ(ParsePortNumber(QStringLiteral("0x2001")), uint16_t(0x2001));
    EXPECT_EQ(ParsePortNumber(QStringLiteral("65535")), uint16_t(65535));
    EXPECT_EQ(ParsePortNumber(QStringLiteral("0")), std::nullopt);
    EXPECT_EQ(ParsePortNumber(QStringLiteral("65536")), std::nullopt);
    EXPECT_EQ(ParsePortNumber(QStringLiteral("COM3")), std::nullopt);
}

} // namespace
} // namespace kc::cli
