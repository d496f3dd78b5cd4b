// SPDX-License-Identifier: Apache-2.0
#include "cards/card_read.h"
#include "command_line.h"
#include "console_boxes.h"
#include "console_io.h"
#include "console_status.h"
#include "console_views.h"
#include "data_cases.h"
#include "data_rows.h"
#include "exit_status.h"
#include "explaining_serial_line.h"
#include "json_report.h"
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

class ConsoleDialogue : public ::testing::TestWithParam<test::DataCase> {};

// A case of tests/data/cli/console_dialogues.txt: each box's answer, how it came by it, and what was said.
TEST_P(ConsoleDialogue, AnswersTheBoxesInTurn) {
    const test::DataCase& c = GetParam();
    const QMap<QString, MessageRequest> box{{"no-default", kYesNoNoDefault},
                                            {"yes-default", kYesNoYesDefault},
                                            {"ok-cancel", kOkCancelOkDefault},
                                            {"erase", kKvkEraseWarning},
                                            {"stop",
                                             {QStringLiteral(" Prüfsumme KVK korrupt!!! "), kBoxTitle,
                                              MsgButtons::Ok, MsgIcon::Critical, false}}};
    ScriptedConsole io(c.field("input").toUtf8());
    ConsoleMessageBoxes boxes(io.console(), {c.field("batch") == "1", c.field("erase") == "1"});
    for (const QString& step : test::Items(c.field("steps"))) {
        const QStringList part = step.split(QLatin1Char(':'));
        ASSERT_TRUE(part.size() == 3 && box.contains(part[0])) << qPrintable(step);
        EXPECT_EQ(::testing::PrintToString(boxes.ask(box[part[0]])), part[1].toStdString())
            << qPrintable(step);
        EXPECT_EQ(SourceName(boxes.shown().back().source), part[2]) << qPrintable(step);
    }
    EXPECT_EQ(boxes.runEnd(), c.field("end") == "EndOfInput" ? RunEnd::EndOfInput : RunEnd::None);
    const QString said = io.messages();
    if (!c.field("messages").isEmpty()) {
        EXPECT_EQ(said, c.field("messages"));
    }
    for (const QString& count : test::Items(c.field("counts")))
        EXPECT_EQ(said.count(count.section(' ', 1)), count.section(' ', 0, 0).toInt()) << qPrintable(count);
    EXPECT_EQ(io.data(), QString());
    const QString next = c.field("next");
    EXPECT_EQ(io.console().readLine(), next.isEmpty() ? std::nullopt : std::optional<QString>(next));
}

INSTANTIATE_TEST_SUITE_P(ConsoleBoxesTest, ConsoleDialogue,
                         ::testing::ValuesIn(test::DataCases("cli/console_dialogues.txt")), test::CaseName());

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
    const QMap<QString, int> error{
        {"i", kSerialInvalidPort}, {"o", kSerialPortOpen}, {"n", kSerialNotAvailable}};
    const DeviceAccess access{c[1] == "1", c[2].toInt(), c[3], c[4] == "1", c[5]};
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
