#include "console_boxes.h"

#include "console_io.h"

#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

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

MsgAnswer ConsoleMessageBoxes::ask(const MessageRequest& request) {
    const std::vector<MsgAnswer> offered = Buttons(request.buttons);
    const MsgAnswer preset = offered.size() > 1 && request.secondButtonDefault ? offered[1] : offered[0];

    console_.writeLine();
    console_.writeLine(QStringLiteral("=== \"") + request.title + QStringLiteral("\"") +
                       IconWord(request.icon) + QStringLiteral(" ==="));
    console_.writeLine(QString(request.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QStringList shown;
    for (MsgAnswer answer : offered)
        shown.append(QLatin1Char('[') + ButtonWord(answer) + QLatin1Char(']'));
    if (offered.size() == 1) {
        console_.writeLine(shown.join(QLatin1Char(' ')));
        return preset;
    }
    console_.writeLine(shown.join(QLatin1Char(' ')) + QStringLiteral("  (Vorgabe: ") + ButtonWord(preset) +
                       QLatin1Char(')'));
    for (;;) {
        console_.write(QStringLiteral("Antwort (") + ShortcutsOf(offered) + QStringLiteral("): "));
        const std::optional<QString> line = console_.readLine();
        if (!line) {
            // Nobody can answer any more. The first box after the end takes its
            // default; later ones stop, so that a read loop whose default is
            // "try again" cannot run on for ever.
            const MsgAnswer answer = inputEnded_ ? offered.back() : preset;
            inputEnded_ = true;
            console_.writeLine(QStringLiteral("-> ") + ButtonWord(answer) + QStringLiteral(" (Eingabe beendet)"));
            return answer;
        }
        if (line->trimmed().isEmpty()) {
            console_.writeLine(QStringLiteral("-> ") + ButtonWord(preset));
            return preset;
        }
        const std::optional<MsgAnswer> answer = AnswerOfLine(*line);
        if (answer && std::find(offered.begin(), offered.end(), *answer) != offered.end()) {
            console_.writeLine(QStringLiteral("-> ") + ButtonWord(*answer));
            return *answer;
        }
        console_.writeLine(QStringLiteral("Bitte eine der angebotenen Antworten eingeben."));
    }
}

} // namespace kc::cli
