#include "test_printers.h"

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '[' << kc::test::SpacedHex(bytes) << ']';
}

void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(texts[i], os);
    }
    *os << '}';
}

namespace kc {

void PrintTo(MsgButtons buttons, std::ostream* os) {
    switch (buttons) {
    case MsgButtons::Ok:
        *os << "Ok";
        return;
    case MsgButtons::OkCancel:
        *os << "OkCancel";
        return;
    case MsgButtons::YesNo:
        *os << "YesNo";
        return;
    }
    *os << "MsgButtons(" << int(buttons) << ')';
}

void PrintTo(MsgIcon icon, std::ostream* os) {
    switch (icon) {
    case MsgIcon::None:
        *os << "None";
        return;
    case MsgIcon::Critical:
        *os << "Critical";
        return;
    case MsgIcon::Question:
        *os << "Question";
        return;
    case MsgIcon::Exclamation:
        *os << "Exclamation";
        return;
    case MsgIcon::Information:
        *os << "Information";
        return;
    }
    *os << "MsgIcon(" << int(icon) << ')';
}

void PrintTo(MsgAnswer answer, std::ostream* os) {
    switch (answer) {
    case MsgAnswer::Ok:
        *os << "Ok";
        return;
    case MsgAnswer::Cancel:
        *os << "Cancel";
        return;
    case MsgAnswer::Yes:
        *os << "Yes";
        return;
    case MsgAnswer::No:
        *os << "No";
        return;
    }
    *os << "MsgAnswer(" << int(answer) << ')';
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

std::string SpacedHex(const QByteArray& bytes) {
    return bytes.toHex(' ').toUpper().toStdString();
}

::testing::AssertionResult IsBox(const MessageRequest& shown, const QString& text, const QString& title,
                                 MsgButtons buttons, MsgIcon icon, bool secondButtonDefault) {
    const MessageRequest expected{text, title, buttons, icon, secondButtonDefault};
    if (shown.text == text && shown.title == title && shown.buttons == buttons && shown.icon == icon &&
        shown.secondButtonDefault == secondButtonDefault)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << ::testing::PrintToString(shown) << "\ninstead of " << ::testing::PrintToString(expected);
}

::testing::AssertionResult IsErrorBox(const MessageRequest& shown, const QString& text) {
    return IsBox(shown, text, kBoxTitle, MsgButtons::Ok, MsgIcon::Critical);
}

} // namespace kc::test
