// SPDX-License-Identifier: Apache-2.0
#include "fake_ui.h"

namespace kc::test {
namespace {

MsgAnswer DefaultAnswer(const MessageRequest& request) {
    if (request.buttons == MsgButtons::YesNo)
        return request.secondButtonDefault ? MsgAnswer::No : MsgAnswer::Yes;
    return request.secondButtonDefault ? MsgAnswer::Cancel : MsgAnswer::Ok;
}

} // namespace

MsgAnswer ScriptedMessageBoxes::ask(const MessageRequest& request) {
    shown.push_back(request);
    if (request.buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (answers_.empty()) {
        ++unscripted;
        return DefaultAnswer(request);
    }
    const MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

} // namespace kc::test
