#pragma once

#include "base/message_boxes.h"

namespace kc::cli {

class Console;

// Message boxes on the console: title, text (CR LF as a line break) and the
// buttons; a box with a choice reads one answer line. An empty line or the
// end of input picks the default button; every further box after the end of
// input takes its last button (Nein, Abbrechen).
class ConsoleMessageBoxes : public MessageBoxes {
  public:
    explicit ConsoleMessageBoxes(Console& console) : console_(console) {}
    MsgAnswer ask(const MessageRequest& request) override;

  private:
    Console& console_;
    bool inputEnded_ = false;
};

// The German word of a button as the box shows it.
QString ButtonWord(MsgAnswer answer);

// The button an answer line names (j/ja, n/nein, o/ok, a/abbrechen, any case),
// or nothing for any other line.
std::optional<MsgAnswer> AnswerOfLine(const QString& line);

} // namespace kc::cli
