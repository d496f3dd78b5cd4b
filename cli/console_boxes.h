// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/message_boxes.h"

#include <optional>
#include <vector>

namespace kc::cli {

class Console;

// How a box came by its answer.
enum class AnswerSource {
    Person,           // typed
    EmptyLine,        // the person took the default with an empty line
    OnlyButton,       // an OK box needs no answer
    Batch,            // --batch: the default
    EraseOption,      // --batch --erase: yes to the erase warning
    RepeatedQuestion, // --batch: the same question again in a row takes its stopping button
    EndOfInput,       // the input ended at this question: the default
    AfterEnd,         // a later question of the same run: its stopping button
    Interrupted,      // Ctrl+C: the stopping button
};

struct ShownMessage {
    MessageRequest request;
    MsgAnswer answer = MsgAnswer::Ok;
    AnswerSource source = AnswerSource::OnlyButton;
};

// Why a run ended before its questions were answered, if it did.
enum class RunEnd { None, EndOfInput, Interrupted };

struct BoxRules {
    bool batch = false; // never read an answer
    bool erase = false; // with batch: agree to erase a handheld's stored record
};

// Message boxes on the console's message stream: title, text (CR LF as a
// line break) and the buttons; a box with a choice reads one answer line.
// Every box shown is kept with its answer. The rules for boxes nobody
// answers are written in the usage text.
class ConsoleMessageBoxes : public MessageBoxes {
  public:
    ConsoleMessageBoxes(Console& console, BoxRules rules = {}) : console_(console), rules_(rules) {}
    MsgAnswer ask(const MessageRequest& request) override;

    const std::vector<ShownMessage>& shown() const { return shown_; }
    RunEnd runEnd() const;

  private:
    std::pair<MsgAnswer, AnswerSource> unattended(const MessageRequest& request, MsgAnswer preset,
                                                  MsgAnswer stop);
    std::pair<MsgAnswer, AnswerSource> typed(const QString& shortcuts, MsgAnswer preset, MsgAnswer stop,
                                             const std::vector<MsgAnswer>& offered);

    Console& console_;
    BoxRules rules_;
    RunEnd end_ = RunEnd::None;
    QString lastQuestion_;
    std::vector<ShownMessage> shown_;
};

// The German word of a button as the box shows it.
QString ButtonWord(MsgAnswer answer);

// The button an answer line names (j/ja, n/nein, o/ok, a/abbrechen, any case),
// or nothing for any other line.
std::optional<MsgAnswer> AnswerOfLine(const QString& line);

// Whether a box is the warning that a handheld's stored record will be erased.
bool IsEraseWarning(const MessageRequest& request);

} // namespace kc::cli
