// The desktop's message boxes: German buttons, icon and default button.
#include "gui/qt_message_boxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

QStringList ButtonTexts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* button : box.buttons())
        texts.append(button->text());
    texts.sort();
    return texts;
}

TEST(QtMessageBoxes, OkWithCriticalStop) {
    const auto box = BuildMessageBox({"Fehler", kBoxTitle, MsgButtons::Ok, MsgIcon::Critical, false}, nullptr);
    EXPECT_EQ(box->windowTitle(), " KartoCheck ");
    EXPECT_EQ(box->text(), "Fehler");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(ButtonTexts(*box), QStringList({"OK"}));
    EXPECT_EQ(AnswerOf(*box, box->defaultButton()), MsgAnswer::Ok);
    EXPECT_EQ(AnswerOf(*box, nullptr), MsgAnswer::Ok) << "Esc on a lone OK";
}

TEST(QtMessageBoxes, YesNoQuestion) {
    const auto box =
        BuildMessageBox({" Möchten Sie das Programm beenden? ", "Beendet KartoCheck ", MsgButtons::YesNo,
                         MsgIcon::Question, false},
                        nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(ButtonTexts(*box), QStringList({"Ja", "Nein"}));
    EXPECT_EQ(box->defaultButton()->text(), "Ja");
    EXPECT_EQ(AnswerOf(*box, box->defaultButton()), MsgAnswer::Yes);
    EXPECT_EQ(AnswerOf(*box, box->escapeButton()), MsgAnswer::No);
}

TEST(QtMessageBoxes, OkCancelExclamationWithSecondButtonDefault) {
    const auto box = BuildMessageBox({" Bitte eine Krankenversichertenkarte in \r\n Kartenkontaktiereinheit 1 einführen. ",
                                      kBoxTitle, MsgButtons::OkCancel, MsgIcon::Exclamation, true},
                                     nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(ButtonTexts(*box), QStringList({"Abbrechen", "OK"}));
    EXPECT_EQ(box->defaultButton()->text(), "Abbrechen");
    EXPECT_EQ(AnswerOf(*box, box->defaultButton()), MsgAnswer::Cancel);
    EXPECT_EQ(box->text(), " Bitte eine Krankenversichertenkarte in \n Kartenkontaktiereinheit 1 einführen. ");
}

TEST(QtMessageBoxes, OkCancelFirstButtonDefaultAndInformation) {
    const auto okCancel =
        BuildMessageBox({"Weiter?", kBoxTitle, MsgButtons::OkCancel, MsgIcon::Exclamation, false}, nullptr);
    EXPECT_EQ(okCancel->defaultButton()->text(), "OK");
    EXPECT_EQ(AnswerOf(*okCancel, okCancel->escapeButton()), MsgAnswer::Cancel);
    const auto info = BuildMessageBox({"Hinweis", kBoxTitle, MsgButtons::Ok, MsgIcon::Information, false}, nullptr);
    EXPECT_EQ(info->icon(), QMessageBox::Information);
}

} // namespace
} // namespace kc::test
