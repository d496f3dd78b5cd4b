// SPDX-License-Identifier: Apache-2.0
#include "gui/first_user_window.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kc {
namespace {

constexpr int kWindowWidth = 600;
constexpr int kWindowHeight = 560;
constexpr int kButtonWidth = 113;
constexpr int kButtonHeight = 25;
constexpr int kButtonRowHeight = 40;
constexpr int kOkLeftAlone = 3650; // twips, the help mode's only button
constexpr int kOkLeftPair = 2400;  // twips, beside "&Beenden"
constexpr int kQuitLeft = 4900;    // twips

} // namespace

FirstUserWindow::FirstUserWindow(bool& firstUseQuit, QWidget* parent)
    : QDialog(parent), firstUseQuit_(firstUseQuit) {
    firstUseQuit_ = true;
    setObjectName(QStringLiteral("Form_FirstUser"));
    setWindowTitle(QStringLiteral("Benutzer Information zu KartoCheck"));
    setFixedSize(kWindowWidth, kWindowHeight);

    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Fram_FirstUser"));
    auto* frameLayout = new QVBoxLayout(frame);
    text_ = new QTextBrowser(frame);
    text_->setObjectName(QStringLiteral("RichTextBox1"));
    text_->setOpenLinks(false);
    text_->setHtml(UserInformationDocument());
    frameLayout->addWidget(text_);
    layout->addWidget(frame, 1);

    // The buttons keep classic fixed positions, so the help mode can move "&OK".
    auto* row = new QWidget(this);
    row->setObjectName(QStringLiteral("ButtonRow"));
    row->setFixedHeight(kButtonRowHeight);
    layout->addWidget(row);
    const QString captions[2] = {QStringLiteral("&OK"), QStringLiteral("&Beenden")};
    const QString toolTips[2] = {QStringLiteral("Weiter mit KartoCheck"),
                                 QStringLiteral("Beendet KartoCheck")};
    const int lefts[2] = {kOkLeftPair, kQuitLeft};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(captions[i], row);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setToolTip(toolTips[i]);
        button->setGeometry(TwipsToPixels(lefts[i]), (kButtonRowHeight - kButtonHeight) / 2, kButtonWidth,
                            kButtonHeight);
        button->setAutoDefault(false);
        buttons_[std::size_t(i)] = button;
    }
    buttons_[0]->setDefault(true);
    connect(buttons_[0], &QPushButton::clicked, this, [this] {
        firstUseQuit_ = false;
        accept();
    });
    connect(buttons_[1], &QPushButton::clicked, this, [this] {
        firstUseQuit_ = true;
        reject();
    });
    buttons_[0]->setFocus();
}

void FirstUserWindow::prepareHelpMode() {
    buttons_[1]->setVisible(false);
    buttons_[0]->move(TwipsToPixels(kOkLeftAlone), buttons_[0]->y());
    firstUseQuit_ = false;
}

void FirstUserWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        // At start-up the person must choose; in help mode Esc closes.
        if (buttons_[1]->isHidden())
            reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kc
