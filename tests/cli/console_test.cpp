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

// --batch: the answers of a run of boxes, none of them read from the input.
TEST(ConsoleBoxesTest, BatchTakesDefaultsStopsARepeatedQuestionAndErasesOnlyWhenTold) {
    struct Case {
        const char* name;
        bool erase;
        std::vector<MessageRequest> boxes;
        std::vector<MsgAnswer> answers;
        std::vector<AnswerSource> sources;
    };
    const Case cases[] = {
        Case{"defaults",
             false,
             {kYesNoNoDefault, kOkCancelOkDefault, kYesNoYesDefault},
             {MsgAnswer::No, MsgAnswer::Ok, MsgAnswer::Yes},
             {AnswerSource::Batch, AnswerSource::Batch, AnswerSource::Batch}},
        Case{"retry loop",
             false,
             {kYesNoYesDefault, kYesNoYesDefault, kOkCancelOkDefault, kYesNoYesDefault},
             {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Ok, MsgAnswer::Yes},
             {AnswerSource::Batch, AnswerSource::RepeatedQuestion, AnswerSource::Batch, AnswerSource::Batch}},
        Case{"erase warning", false, {kKvkEraseWarning}, {MsgAnswer::No}, {AnswerSource::Batch}},
        Case{"erase warning with --erase",
             true,
             {kKvkEraseWarning, kYesNoNoDefault},
             {MsgAnswer::Yes, MsgAnswer::No},
             {AnswerSource::EraseOption, AnswerSource::Batch}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole io("j\nj\nj\nj\n");
        ConsoleMessageBoxes boxes(io.console(), {true, c.erase});
        for (std::size_t i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(boxes.ask(c.boxes[i]), c.answers[i]) << i;
            EXPECT_EQ(boxes.shown().back().source, c.sources[i]) << i;
        }
        EXPECT_EQ(boxes.runEnd(), RunEnd::None);
        EXPECT_FALSE(io.messages().contains(QStringLiteral("Antwort (")));
        EXPECT_EQ(io.console().readLine(), QStringLiteral("j")); // nothing was read
    }
}

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

TEST(ExitStatusTest, CardDataOfTheSlotsDecide) {
    // Slot 1 a KVK, slot 2 an eGK with all three documents, slot 3 an eGK without its GVD, slot 4 nothing.
    SlotTables tables;
    for (int slot = 1; slot <= 3; ++slot)
        tables.terminal[slot].HasCardData = true;
    for (int slot = 2; slot <= 3; ++slot) {
        tables.terminal[slot].IsEgk = true;
        tables.egk[slot].PdElementList[0] = {QStringLiteral("Vorname"), QStringLiteral("Tina")};
        tables.egk[slot].VdElementList[0] = {QStringLiteral("Beginn"), QStringLiteral("20150803")};
    }
    tables.egk[2].GvdElementList[0] = {QStringLiteral("Zuzahlungsstatus"), QStringLiteral("0")};
    struct Case {
        std::vector<int> checked;
        int status;
    };
    const Case cases[] = {Case{{1}, kStatusComplete},    Case{{2}, kStatusComplete},
                          Case{{3}, kStatusIncomplete},  Case{{4}, kStatusNoCardData},
                          Case{{4, 1}, kStatusComplete}, Case{{1, 3}, kStatusIncomplete},
                          Case{{}, kStatusNoCardData}};
    for (const auto& c : cases)
        EXPECT_EQ(CardDataStatus(tables, c.checked), c.status) << c.checked.size();
    EXPECT_EQ(StatusAfterRun(kStatusComplete, RunEnd::EndOfInput), kStatusEnded);
    EXPECT_EQ(StatusAfterRun(kStatusIncomplete, RunEnd::None), kStatusIncomplete);
}

TEST(SerialReasonTest, TheSystemsReasonAndWhatHelps) {
    const QMap<QString, int> error{{QStringLiteral("i"), kSerialInvalidPort},
                                   {QStringLiteral("o"), kSerialPortOpen},
                                   {QStringLiteral("n"), kSerialNotAvailable}};
    for (const QStringList& c : test::CaseRows("cli/serial_reason.txt")) {
        const DeviceAccess access{c[0] == QStringLiteral("1"), c[1].toInt(), c[2],
                                  c[3] == QStringLiteral("1"), c[4]};
        EXPECT_EQ(SerialOpenReason(2, QStringLiteral("/dev/ttyS1"), access, error.value(c[5])), c[6]);
    }
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
