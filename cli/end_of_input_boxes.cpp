#include "end_of_input_boxes.h"

#include "console_boxes.h"
#include "console_io.h"

namespace kc::cli {

MsgAnswer EndOfInputBoxes::ask(const MessageRequest& request) {
    const MsgAnswer answer = inner_.ask(request);
    if (request.buttons == MsgButtons::Ok || !std::feof(in_))
        return answer;
    const MsgAnswer stop = request.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    if (stop != answer)
        console_.writeLine(QStringLiteral("(Eingabe beendet: ") + ButtonWord(stop) + QLatin1Char(')'));
    return stop;
}

} // namespace kc::cli
