// SPDX-License-Identifier: Apache-2.0
#include "gui/qt_message_boxes.h"
#include "test_printers.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

QString ButtonTexts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* button : box.buttons())
        texts.append(button->text());
    texts.sort();
    return texts.join(QLatin1Char('|'));
}

// Asked for, then shown: the Qt icon, the button texts sorted, the default button and Enter's and Esc's
// answers.
struct BoxCase {
    const char* name;
    MsgButtons buttons;
    MsgIcon icon;
    bool secondDefault;
    QMessageBox::Icon qtIcon;
    const char* texts;
    const char* defaultText;
    MsgAnswer onDefault;
    MsgAnswer onEscape;
};

void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.name;
}

class QtMessageBoxKind : public ::testing::TestWithParam<BoxCase> {};

TEST_P(QtMessageBoxKind, GermanButtonsIconAndDefault) {
    const BoxCase& c = GetParam();
    const auto box = BuildMessageBox({"Text", kBoxTitle, c.buttons, c.icon, c.secondDefault}, nullptr);
    EXPECT_EQ(box->icon(), c.qtIcon);
    EXPECT_EQ(ButtonTexts(*box), c.texts);
    EXPECT_EQ(box->defaultButton()->text(), c.defaultText);
    EXPECT_EQ(AnswerOf(*box, box->defaultButton()), c.onDefault);
    EXPECT_EQ(AnswerOf(*box, box->escapeButton()), c.onEscape);
}

using enum MsgAnswer;
INSTANTIATE_TEST_SUITE_P(
    QtMessageBoxes, QtMessageBoxKind,
    ::testing::Values(BoxCase{"stop", MsgButtons::Ok, MsgIcon::Critical, false, QMessageBox::Critical, "OK",
                              "OK", Ok, Ok},
                      BoxCase{"question", MsgButtons::YesNo, MsgIcon::Question, false, QMessageBox::Question,
                              "Ja|Nein", "Ja", Yes, No},
                      BoxCase{"warning_cancel_default", MsgButtons::OkCancel, MsgIcon::Exclamation, true,
                              QMessageBox::Warning, "Abbrechen|OK", "Abbrechen", Cancel, Cancel},
                      BoxCase{"information_ok_default", MsgButtons::OkCancel, MsgIcon::Information, false,
                              QMessageBox::Information, "Abbrechen|OK", "OK", Ok, Cancel}),
    [](const auto& row) { return std::string(row.param.name); });

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
