#include "gui/qt_message_boxes.h"
#include "test_printers.h"

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

struct BoxCase {
    MsgButtons buttons;
    MsgIcon icon;
    bool secondDefault;
    QMessageBox::Icon qtIcon;
    QStringList texts;
    const char* defaultText;
    MsgAnswer onDefault;
    MsgAnswer onEscape;
};

class QtMessageBoxCases : public ::testing::TestWithParam<BoxCase> {};

TEST_P(QtMessageBoxCases, GermanButtonsIconAndDefault) {
    const BoxCase& c = GetParam();
    const auto box = BuildMessageBox({"Text", kBoxTitle, c.buttons, c.icon, c.secondDefault}, nullptr);
    EXPECT_EQ(box->icon(), c.qtIcon);
    EXPECT_EQ(ButtonTexts(*box), c.texts);
    EXPECT_EQ(box->defaultButton()->text(), c.defaultText);
    EXPECT_EQ(AnswerOf(*box, box->defaultButton()), c.onDefault);
    EXPECT_EQ(AnswerOf(*box, box->escapeButton()), c.onEscape);
}

INSTANTIATE_TEST_SUITE_P(Styles, QtMessageBoxCases,
                         ::testing::Values(BoxCase{MsgButtons::Ok,
                                                   MsgIcon::Critical,
                                                   false,
                                                   QMessageBox::Critical,
                                                   {"OK"},
                                                   "OK",
                                                   MsgAnswer::Ok,
                                                   MsgAnswer::Ok},
                                           BoxCase{MsgButtons::YesNo,
                                                   MsgIcon::Question,
                                                   false,
                                                   QMessageBox::Question,
                                                   {"Ja", "Nein"},
                                                   "Ja",
                                                   MsgAnswer::Yes,
                                                   MsgAnswer::No},
                                           BoxCase{MsgButtons::OkCancel,
                                                   MsgIcon::Exclamation,
                                                   true,
                                                   QMessageBox::Warning,
                                                   {"Abbrechen", "OK"},
                                                   "Abbrechen",
                                                   MsgAnswer::Cancel,
                                                   MsgAnswer::Cancel},
                                           BoxCase{MsgButtons::OkCancel,
                                                   MsgIcon::Information,
                                                   false,
                                                   QMessageBox::Information,
                                                   {"Abbrechen", "OK"},
                                                   "OK",
                                                   MsgAnswer::Ok,
                                                   MsgAnswer::Cancel}));

TEST(QtMessageBoxes, TitleAndTextWithQtLineBreaks) {
    const auto box =
        BuildMessageBox({" Bitte eine Krankenversichertenkarte in \r\n Kartenkontaktiereinheit 1 einführen. ",
                         "Beendet KartoCheck ", MsgButtons::Ok, MsgIcon::None, false},
                        nullptr);
    EXPECT_EQ(box->windowTitle(), "Beendet KartoCheck ");
    EXPECT_EQ(box->text(),
              " Bitte eine Krankenversichertenkarte in \n Kartenkontaktiereinheit 1 einführen. ");
    EXPECT_EQ(AnswerOf(*box, nullptr), MsgAnswer::Ok) << "Esc on a lone OK";
}

} // namespace
} // namespace kc::test
