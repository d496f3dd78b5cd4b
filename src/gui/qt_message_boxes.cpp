// SPDX-License-Identifier: Apache-2.0
#include "gui/qt_message_boxes.h"

#include "gui/arrow_while_open.h"
#include "gui/display_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QVariant>

namespace kc {
namespace {

const char* const kAnswerProperty = "kcAnswer";

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

struct ButtonChoice {
    QString text;
    QMessageBox::ButtonRole role;
    MsgAnswer answer;
};

std::vector<ButtonChoice> ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return {{QStringLiteral("OK"), QMessageBox::AcceptRole, MsgAnswer::Ok}};
    case MsgButtons::OkCancel:
        return {{QStringLiteral("OK"), QMessageBox::AcceptRole, MsgAnswer::Ok},
                {QStringLiteral("Abbrechen"), QMessageBox::RejectRole, MsgAnswer::Cancel}};
    case MsgButtons::YesNo:
        return {{QStringLiteral("Ja"), QMessageBox::YesRole, MsgAnswer::Yes},
                {QStringLiteral("Nein"), QMessageBox::NoRole, MsgAnswer::No}};
    }
    return {};
}

} // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(const MessageRequest& request, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setObjectName(QStringLiteral("MsgBox"));
    box->setWindowTitle(request.title);
    box->setTextFormat(Qt::PlainText);
    box->setText(ShownLines(request.text));
    box->setIcon(IconOf(request.icon));
    const std::vector<ButtonChoice> choices = ButtonsOf(request.buttons);
    QPushButton* defaultButton = nullptr;
    QPushButton* escapeButton = nullptr;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        QPushButton* button = box->addButton(choices[i].text, choices[i].role);
        button->setProperty(kAnswerProperty, int(choices[i].answer));
        if (i == 0 || (i == 1 && request.secondButtonDefault))
            defaultButton = button;
        escapeButton = button; // the last one: Abbrechen, Nein, or the lone OK
    }
    box->setDefaultButton(defaultButton);
    box->setEscapeButton(escapeButton);
    return box;
}

MsgAnswer AnswerOf(const QMessageBox& box, const QAbstractButton* clicked) {
    if (!clicked)
        clicked = box.escapeButton();
    if (!clicked)
        return MsgAnswer::Ok;
    return MsgAnswer(clicked->property(kAnswerProperty).toInt());
}

MsgAnswer QtMessageBoxes::ask(const MessageRequest& request) {
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(request, parent_.data());
    ArrowWhileOpen arrow;
    box->exec();
    return AnswerOf(*box, box->clickedButton());
}

} // namespace kc
