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
    *os << "box ";
    ::PrintTo(request.text, os);
    *os << " title ";
    ::PrintTo(request.title, os);
    *os << ' ';
    PrintTo(request.buttons, os);
    *os << ' ';
    PrintTo(request.icon, os);
    if (request.secondButtonDefault)
        *os << " second button default";
}

} // namespace kc

namespace kc::test {

::testing::AssertionResult IsBox(const MessageRequest& shown, const QString& text, const QString& title,
                                 MsgButtons buttons, MsgIcon icon, bool secondButtonDefault) {
    // The printed form names every property.
    const std::string got = ::testing::PrintToString(shown);
    const std::string wanted =
        ::testing::PrintToString(MessageRequest{text, title, buttons, icon, secondButtonDefault});
    if (got == wanted)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << got << "\ninstead of " << wanted;
}

::testing::AssertionResult IsErrorBox(const MessageRequest& shown, const QString& text) {
    return IsBox(shown, text, kBoxTitle, MsgButtons::Ok, MsgIcon::Critical);
}

} // namespace kc::test
