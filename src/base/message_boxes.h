// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// The title most boxes carry, with a blank on each side.
inline const QString kBoxTitle = QStringLiteral(" KartoCheck ");

struct MessageRequest {
    QString text;
    QString title = kBoxTitle;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool secondButtonDefault = false;
};

// How the flows ask the person something. The window shows a real box, the
// console prints and reads a line, tests answer from a script.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer ask(const MessageRequest& request) = 0;

    void inform(const QString& text, MsgIcon icon, const QString& title = kBoxTitle) {
        ask({text, title, MsgButtons::Ok, icon, false});
    }
};

// CR LF, the line break of every box text and of the clipboard copy.
inline const QString kCrLf = QStringLiteral("\r\n");

} // namespace kc
