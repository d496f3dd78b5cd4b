// SPDX-License-Identifier: Apache-2.0
#include "test_printers.h"

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '[' << bytes.toHex(' ').toUpper().toStdString() << ']';
}

void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << (texts.isEmpty() ? "{}" : "{\"" + texts.join(QStringLiteral("\", \"")).toStdString() + "\"}");
}

namespace kc {
namespace {

template <std::size_t N>
void PrintName(int value, const char* const (&names)[N], const char* type, std::ostream* os) {
    if (value >= 0 && std::size_t(value) < N)
        *os << names[value];
    else
        *os << type << '(' << value << ')';
}

} // namespace

void PrintTo(MsgButtons buttons, std::ostream* os) {
    PrintName(int(buttons), {"Ok", "OkCancel", "YesNo"}, "MsgButtons", os);
}

void PrintTo(MsgIcon icon, std::ostream* os) {
    PrintName(int(icon), {"None", "Critical", "Question", "Exclamation", "Information"}, "MsgIcon", os);
}

void PrintTo(MsgAnswer answer, std::ostream* os) {
    PrintName(int(answer), {"Ok", "Cancel", "Yes", "No"}, "MsgAnswer", os);
}

void PrintTo(const MessageRequest& request, std::ostream* os) {
    using ::testing::PrintToString;
    *os << "box " << PrintToString(request.text) << " title " << PrintToString(request.title) << ' '
        << PrintToString(request.buttons) << ' ' << PrintToString(request.icon)
        << (request.secondButtonDefault ? " second button default" : "");
}

} // namespace kc

namespace kc::test {

QStringList Shown(const std::vector<MessageRequest>& boxes) {
    QStringList lines;
    for (const MessageRequest& box : boxes)
        lines.append(QString::fromStdString(::testing::PrintToString(box)));
    return lines;
}

QString Box(const QString& text, MsgButtons buttons, MsgIcon icon, bool secondDefault, const QString& title) {
    return Shown({MessageRequest{text, title, buttons, icon, secondDefault}}).first();
}

} // namespace kc::test
