#include "command_line.h"
#include "console_boxes.h"
#include "console_io.h"
#include "console_status.h"
#include "console_views.h"

#include <QString>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace kc::cli {
namespace {

// A console whose input is a given text and whose output is collected.
class ScriptedConsole {
  public:
    explicit ScriptedConsole(const QByteArray& input) : in_(std::tmpfile()), out_(std::tmpfile()) {
        std::fwrite(input.constData(), 1, std::size_t(input.size()), in_.get());
        std::rewind(in_.get());
    }
    Console& console() { return console_; }
    QString output() {
        std::fflush(out_.get());
        std::rewind(out_.get());
        QByteArray bytes;
        char buffer[512];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, out_.get())) > 0)
            bytes.append(buffer, qsizetype(n));
        return QString::fromUtf8(bytes);
    }

  private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> in_;
    std::unique_ptr<std::FILE, Closer> out_;
    Console console_{out_.get(), in_.get()};
};

const MessageRequest kYesNoNoDefault{QStringLiteral(" Frage? \r\n zweite Zeile "),
                                     QStringLiteral(" KartoCheck "), MsgButtons::YesNo, MsgIcon::Question,
                                     true};

TEST(ConsoleAnswerTest, GermanWordsAndTheirFirstLetters) {
    EXPECT_EQ(AnswerOfLine(QStringLiteral("j")), MsgAnswer::Yes);
    EXPECT_EQ(AnswerOfLine(QStringLiteral(" JA ")), MsgAnswer::Yes);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("n")), MsgAnswer::No);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("Nein")), MsgAnswer::No);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("o")), MsgAnswer::Ok);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("OK")), MsgAnswer::Ok);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("a")), MsgAnswer::Cancel);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("abbrechen")), MsgAnswer::Cancel);
    EXPECT_EQ(AnswerOfLine(QStringLiteral("yes")), std::nullopt);
    EXPECT_EQ(AnswerOfLine(QString()), std::nullopt);
}

TEST(ConsoleBoxesTest, PrintsTitleTextAndButtonsAndReadsTheAnswer) {
    ScriptedConsole io("j\n");
    ConsoleMessageBoxes boxes(io.console());
    EXPECT_EQ(boxes.ask(kYesNoNoDefault), MsgAnswer::Yes);
    EXPECT_EQ(io.output(), QStringLiteral("\n=== \" KartoCheck \" (Frage) ===\n Frage? \n zweite Zeile \n"
                                          "[Ja] [Nein]  (Vorgabe: Nein)\nAntwort (j/n): -> Ja\n"));
}

TEST(ConsoleBoxesTest, EmptyLineOrFirstEndOfInputPicksTheDefaultThenBoxesStop) {
    ScriptedConsole io("\n");
    ConsoleMessageBoxes boxes(io.console());
    const MessageRequest okCancelOkDefault{QStringLiteral("x"), kBoxTitle, MsgButtons::OkCancel, MsgIcon::Exclamation,
                                           false};
    const MessageRequest yesNoYesDefault{QStringLiteral("y"), kBoxTitle, MsgButtons::YesNo, MsgIcon::Question, false};
    EXPECT_EQ(boxes.ask(kYesNoNoDefault), MsgAnswer::No);    // empty line
    EXPECT_EQ(boxes.ask(okCancelOkDefault), MsgAnswer::Ok);  // input ends: the default
    EXPECT_EQ(boxes.ask(yesNoYesDefault), MsgAnswer::No);    // after that: the stopping button
    EXPECT_EQ(boxes.ask(okCancelOkDefault), MsgAnswer::Cancel);
    EXPECT_EQ(io.output().count(QStringLiteral("(Eingabe beendet)")), 3);
}

TEST(ConsoleBoxesTest, AnAnswerTheBoxDoesNotOfferIsAskedAgain) {
    ScriptedConsole io("o\nvielleicht\nn\n");
    ConsoleMessageBoxes boxes(io.console());
    EXPECT_EQ(boxes.ask(kYesNoNoDefault), MsgAnswer::No);
    EXPECT_EQ(io.output().count(QStringLiteral("Bitte eine der angebotenen Antworten eingeben.")), 2);
}

TEST(ConsoleBoxesTest, OkBoxNeedsNoAnswer) {
    ScriptedConsole io("n\n");
    ConsoleMessageBoxes boxes(io.console());
    boxes.inform(QStringLiteral(" Prüfsumme KVK korrupt!!! "), MsgIcon::Critical);
    EXPECT_EQ(io.output(),
              QStringLiteral("\n=== \" KartoCheck \" (Stopp) ===\n Prüfsumme KVK korrupt!!! \n[OK]\n"));
    // The line is still there for the next box.
    EXPECT_EQ(io.console().readLine(), QStringLiteral("n"));
}

TEST(ConsoleStatusTest, RepeatedTextIsPrintedOnce) {
    ScriptedConsole io("");
    ConsoleStatusLine status(io.console());
    status.showStatus(QStringLiteral("A"));
    status.showStatus(QStringLiteral("A"));
    status.showStatus(QStringLiteral("B"));
    EXPECT_EQ(io.output(), QStringLiteral("Status: A\nStatus: B\n"));
}

TEST(ConsoleViewsTest, CardViewShowsSingleAmpersandsAndHandheldRowsOnlyWhenVisible) {
    CardDataView view;
    view.frameCaption = QStringLiteral("Krankenversicherten Kartendaten(Karte)");
    view.values[0] = QStringLiteral("Kasse && Co");
    view.values[16] = QStringLiteral("15032024");
    ScriptedConsole io("");
    PrintCardView(io.console(), view);
    QString out = io.output();
    EXPECT_TRUE(out.contains(QStringLiteral("  Krankenkassenname:        Kasse & Co\n")));
    EXPECT_FALSE(out.contains(QStringLiteral("Einlesedatum")));

    view.mobileRowsVisible = true;
    ScriptedConsole io2("");
    PrintCardView(io2.console(), view);
    EXPECT_TRUE(io2.output().contains(QStringLiteral("  Einlesedatum:             15032024\n")));
}

TEST(CommandLineTest, PortNumbers) {
    EXPECT_EQ(ParsePortNumber(QStringLiteral("3")), uint16_t(3));
    EXPECT_EQ(ParsePortNumber(QStringLiteral("8192")), uint16_t(8192));
    EXPECT_EQ(ParsePortNumber(QStringLiteral("0x2001")), uint16_t(0x2001));
    EXPECT_EQ(ParsePortNumber(QStringLiteral("0")), std::nullopt);
    EXPECT_EQ(ParsePortNumber(QStringLiteral("65536")), std::nullopt);
    EXPECT_EQ(ParsePortNumber(QStringLiteral("COM3")), std::nullopt);
}

} // namespace
} // namespace kc::cli
