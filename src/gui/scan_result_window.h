// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "presenter/scan_result.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace kc {

// Form_DatenInfo: one line per COM port with the port number and the key
// picture drawn into the gaps of the sentence, and the summary line.
class ScanResultWindow : public QDialog {
  public:
    explicit ScanResultWindow(ScanResultModel result, QWidget* parent = nullptr);

    QLabel* line(int index) const { return lines_.at(std::size_t(index)); }
    QLabel* portGap(int index) const { return gaps_.at(std::size_t(index)); }
    QLabel* keyPicture(int index) const { return keys_.at(std::size_t(index)); }

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void fill();
    void placeGaps(int index);

    ScanResultModel result_;
    std::array<QLabel*, kScanResultLines + 1> lines_{};
    std::array<QLabel*, kScanResultLines> gaps_{};
    std::array<QLabel*, kScanResultLines> keys_{};
    QPushButton* ok_ = nullptr;
};

// Where the blanks after prefix begin in text and how many there are;
// {-1, 0} when text does not carry prefix.
struct TextGap {
    qsizetype start = -1;
    qsizetype length = 0;
};
TextGap GapAfter(const QString& text, const QString& prefix);

} // namespace kc
