// SPDX-License-Identifier: Apache-2.0
#include "console_boxes.h"

#include "cards/card_read.h"
#include "console_io.h"
#include "console_text.h"
#include "interrupt_request.h"

#include <QStringList>
#include <algorithm>

namespace kc::cli {
namespace {

std::vector<MsgAnswer> Buttons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return {MsgAnswer::Ok};
    case MsgButtons::OkCancel:
        return {MsgAnswer::Ok, MsgAnswer::Cancel};
    case MsgButtons::YesNo:
        return {MsgAnswer::Yes, MsgAnswer::No};
    }
    return {MsgAnswer::Ok};
}

QString IconWord(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QStringLiteral(" (Stopp)");
    case MsgIcon::Question:
        return QStringLiteral(" (Frage)");
    case MsgIcon::Exclamation:
        return QStringLiteral(" (Achtung)");
    case MsgIcon::Information:
        return QStringLiteral(" (Information)");
    case MsgIcon::None:
        break;
    }
    return {};
}

QString ShortcutsOf(const std::vector<MsgAnswer>& offered) {
    QStringList keys;
    for (MsgAnswer answer : offered)
        keys.append(ButtonWord(answer).left(1).toLower());
    return keys.join(QLatin1Char('/'));
}

// What the answer line adds after the button, so that a log shows who chose it.
QString SourceNote(AnswerSource source) {
    switch (source) {
    case AnswerSource::Batch:
        return QStringLiteral(" (--batch)");
    case AnswerSource::EraseOption:
        return QStringLiteral(" (--erase)");
    case AnswerSource::RepeatedQuestion:
        return QStringLiteral(" (--batch, Frage wiederholt)");
    case AnswerSource::EndOfInput:
    case AnswerSource::AfterEnd:
        return QStringLiteral(" (Eingabe beendet)");
    case AnswerSource::Interrupted:
        return QStringLiteral(" (abgebrochen)");
    case AnswerSource::Person:
    case AnswerSource::EmptyLine:
    case AnswerSource::OnlyButton:
        break;
    }
    return {};
}

} // namespace

QString ButtonWord(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::Ok:
        return QStringLiteral("OK");
    case MsgAnswer::Cancel:
        return QStringLiteral("Abbrechen");
    case MsgAnswer::Yes:
        return QStringLiteral("Ja");
    case MsgAnswer::No:
        return QStringLiteral("Nein");
    }
    return {};
}

std::optional<MsgAnswer> AnswerOfLine(const QString& line) {
    const QString word = line.trimmed().toLower();
    if (word == QLatin1String("j") || word == QLatin1String("ja"))
        return MsgAnswer::Yes;
    if (word == QLatin1String("n") || word == QLatin1String("nein"))
        return MsgAnswer::No;
    if (word == QLatin1String("o") || word == QLatin1String("ok"))
        return MsgAnswer::Ok;
    if (word == QLatin1String("a") || word == QLatin1String("abbrechen"))
        return MsgAnswer::Cancel;
    return std::nullopt;
}

bool IsEraseWarning(const MessageRequest& request) {
    if (request.buttons != MsgButtons::YesNo)
        return false;
    // The warning names the device; a marker in its place shows where the
    // name starts and which characters follow it.
    const QChar marker(0x1);
    const QString pattern = EraseWarningText(marker);
    const qsizetype at = pattern.indexOf(marker);
    const QString head = pattern.left(at);
    const QString after = pattern.mid(at + 1, 2);
    if (!request.text.startsWith(head))
        return false;
    const qsizetype end = request.text.indexOf(after, head.size());
    return end > head.size() &&
           request.text == EraseWarningText(request.text.mid(head.size(), end - head.size()));
}

RunEnd ConsoleMessageBoxes::runEnd() const {
    if (end_ == RunEnd::None && InterruptRequest::requested())
        return RunEnd::Interrupted;
    return end_;
}

std::pair<MsgAnswer, AnswerSource> ConsoleMessageBoxes::unattended(const MessageRequest& request,
                                                                   MsgAnswer preset, MsgAnswer stop) {
    if (runEnd() == RunEnd::Interrupted)
        return {stop, AnswerSource::Interrupted};
    if (end_ == RunEnd::EndOfInput)
        return {stop, AnswerSource::AfterEnd};
    if (rules_.erase && IsEraseWarning(request))
        return {MsgAnswer::Yes, AnswerSource::EraseOption};
    // A retry loop whose default is "try again" would otherwise run for ever.
    if (request.text == lastQuestion_)
        return {stop, AnswerSource::RepeatedQuestion};
    return {preset, AnswerSource::Batch};
}

std::pair<MsgAnswer, AnswerSource> ConsoleMessageBoxes::typed(const QString& shortcuts, MsgAnswer preset,
                                                              MsgAnswer stop,
                                                              const std::vector<MsgAnswer>& offered) {
    for (;;) {
        console_.messages.write(QStringLiteral("Antwort (") + shortcuts + QStringLiteral("): "));
        const std::optional<QString> line = console_.readLine();
        if (!line) {
            if (InterruptRequest::requested()) {
                end_ = RunEnd::Interrupted;
                return {stop, AnswerSource::Interrupted};
            }
            end_ = RunEnd::EndOfInput;
            return {preset, AnswerSource::EndOfInput};
        }
        if (line->trimmed().isEmpty())
            return {preset, AnswerSource::EmptyLine};
        const std::optional<MsgAnswer> answer = AnswerOfLine(*line);
        if (answer && std::find(offered.begin(), offered.end(), *answer) != offered.end())
            return {*answer, AnswerSource::Person};
        console_.messages.writeLine(QStringLiteral("Bitte eine der angebotenen Antworten eingeben."));
    }
}

MsgAnswer ConsoleMessageBoxes::ask(const MessageRequest& request) {
    const std::vector<MsgAnswer> offered = Buttons(request.buttons);
    const MsgAnswer preset = offered.size() > 1 && request.secondButtonDefault ? offered[1] : offered[0];
    // The last button stops: No, Cancel.
    const MsgAnswer stop = offered.back();
    ConsoleStream& out = console_.messages;

    out.writeLine();
    out.writeLine(QStringLiteral("=== \"") + request.title + QStringLiteral("\"") + IconWord(request.icon) +
                  QStringLiteral(" ==="));
    out.writeLine(WithLineFeeds(request.text));
    QStringList shown;
    for (MsgAnswer answer : offered)
        shown.append(QLatin1Char('[') + ButtonWord(answer) + QLatin1Char(']'));
    if (offered.size() == 1) {
        out.writeLine(shown.join(QLatin1Char(' ')));
        shown_.push_back({request, preset, AnswerSource::OnlyButton});
        return preset;
    }
    out.writeLine(shown.join(QLatin1Char(' ')) + QStringLiteral("  (Vorgabe: ") + ButtonWord(preset) +
                  QLatin1Char(')'));
    const bool nobodyAnswers = rules_.batch || runEnd() != RunEnd::None;
    const auto [answer, source] = nobodyAnswers ? unattended(request, preset, stop)
                                                : typed(ShortcutsOf(offered), preset, stop, offered);
    out.writeLine(QStringLiteral("-> ") + ButtonWord(answer) + SourceNote(source));
    lastQuestion_ = request.text;
    shown_.push_back({request, answer, source});
    return answer;
}

} // namespace kc::cli
