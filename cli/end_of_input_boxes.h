#pragma once

#include "shell/message_boxes.h"

#include <cstdio>

namespace kc::cli {

class Console;

// Once standard input has ended nobody can answer any more: a box with a
// choice then takes the button that stops (No, Cancel) instead of its
// default, so that a read loop whose default is "try again" cannot run on
// for ever.
class EndOfInputBoxes : public MessageBoxes {
public:
    EndOfInputBoxes(MessageBoxes& inner, Console& console, std::FILE* in = stdin)
        : inner_(inner), console_(console), in_(in) {}
    MsgAnswer ask(const MessageRequest& request) override;

private:
    MessageBoxes& inner_;
    Console& console_;
    std::FILE* in_;
};

} // namespace kc::cli
