// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QDialog>
#include <array>

class QPushButton;
class QTextBrowser;

namespace kc {

// Form_FirstUser: the user information shown at every start, where the
// person goes on or ends the program, and again from the help menu with
// one button only.
class FirstUserWindow : public QDialog {
  public:
    // Loading the window presets firstUseQuit to true: closing it by any
    // other means than "&OK" ends the program at start-up.
    explicit FirstUserWindow(bool& firstUseQuit, QWidget* parent = nullptr);

    // Opened from the help menu: only "&OK", moved to the middle; Esc closes.
    void prepareHelpMode();

    QPushButton* button(int index) const { return buttons_.at(std::size_t(index)); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool& firstUseQuit_;
    QTextBrowser* text_ = nullptr;
    std::array<QPushButton*, 2> buttons_{};
};

// The user information document, rich text.
QString UserInformationDocument();

// Classic window positions are given in twips, 15 to the pixel.
constexpr int TwipsToPixels(int twips) {
    return twips / 15;
}

} // namespace kc
