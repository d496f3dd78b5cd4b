// SPDX-License-Identifier: Apache-2.0
#include "gui/scan_result_window.h"

#include "gui/display_text.h"
#include "gui/pictures.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace kc {
namespace {

constexpr int kLineLeft = 16;
constexpr int kLineTop = 28;
constexpr int kLineStep = 28;
constexpr int kLineWidth = 560;
constexpr int kLineHeight = 20;
const QSize kKeySize(31, 15);

const QString kPortPrefix = QStringLiteral("An COM ");
const QString kKeyPrefix = QStringLiteral(" Mit ");

} // namespace

TextGap GapAfter(const QString& text, const QString& prefix) {
    const qsizetype at = text.indexOf(prefix);
    if (at < 0)
        return {};
    TextGap gap{at + prefix.size(), 0};
    while (gap.start + gap.length < text.size() && text[gap.start + gap.length] == QLatin1Char(' '))
        ++gap.length;
    return gap;
}

ScanResultWindow::ScanResultWindow(ScanResultModel result, QWidget* parent)
    : QDialog(parent), result_(std::move(result)) {
    setObjectName(QStringLiteral("Form_DatenInfo"));
    setWindowTitle(result_.caption);
    setFixedSize(kLineWidth + 2 * kLineLeft + 24, 290);

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Fram_DatenInfo"));
    frame->setGeometry(12, 8, kLineWidth + 2 * kLineLeft, 230);
    for (int i = 0; i <= kScanResultLines; ++i) {
        auto* line = new QLabel(frame);
        line->setObjectName(QStringLiteral("Labe_DatenInfo1_%1").arg(i));
        line->setTextFormat(Qt::PlainText);
        const int height = i == kScanResultLines ? 3 * kLineHeight + 4 : kLineHeight;
        line->setGeometry(kLineLeft, kLineTop + i * kLineStep + (i == kScanResultLines ? 8 : 0), kLineWidth,
                          height);
        lines_[std::size_t(i)] = line;
    }
    for (int i = 0; i < kScanResultLines; ++i) {
        auto* gap = new QLabel(frame);
        gap->setObjectName(QStringLiteral("Labe_DatenInfo2_%1").arg(i));
        gap->setAlignment(Qt::AlignCenter);
        gap->setTextFormat(Qt::PlainText);
        gaps_[std::size_t(i)] = gap;
        auto* key = new QLabel(frame);
        key->setObjectName(QStringLiteral("Imag_DatenInfo1_%1").arg(i));
        key->setPixmap(PicturePixmap(QStringLiteral("key_continue"), kKeySize));
        key->setFixedSize(kKeySize);
        key->setVisible(false);
        keys_[std::size_t(i)] = key;
    }
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setObjectName(QStringLiteral("Command1"));
    ok_->setGeometry(width() / 2 - 56, 248, 113, 28);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    fill();
}

bool ScanResultWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        fill();
    return QDialog::event(event);
}

void ScanResultWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !ok_->hasFocus())
        return; // Esc closes only while "&OK" has the focus
    QDialog::keyPressEvent(event);
}

void ScanResultWindow::fill() {
    for (int i = 0; i < kScanResultLines; ++i) {
        const ScanResultLine& model = result_.lines[std::size_t(i)];
        lines_[std::size_t(i)]->setText(model.text);
        gaps_[std::size_t(i)]->setText(model.portGap);
        keys_[std::size_t(i)]->setVisible(model.keyPictureVisible);
        placeGaps(i);
    }
    lines_[1]->setAlignment(result_.line1Centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    if (!result_.summary.isEmpty())
        lines_[kScanResultLines]->setText(ShownLines(result_.summary));
}

void ScanResultWindow::placeGaps(int index) {
    const QLabel* line = lines_[std::size_t(index)];
    const QFontMetrics metrics(line->font());
    const QString text = line->text();
    QLabel* gapLabel = gaps_[std::size_t(index)];
    const TextGap portGap = GapAfter(text, kPortPrefix);
    if (portGap.start >= 0) {
        const int left = metrics.horizontalAdvance(text.left(portGap.start));
        const int width = std::max(metrics.horizontalAdvance(text.mid(portGap.start, portGap.length)), 12);
        gapLabel->setGeometry(line->x() + left, line->y(), width, line->height());
    } else {
        gapLabel->setGeometry(line->x(), line->y(), 0, line->height());
    }
    QLabel* key = keys_[std::size_t(index)];
    const TextGap keyGap = GapAfter(text, kKeyPrefix);
    if (keyGap.start >= 0) {
        const int left = metrics.horizontalAdvance(text.left(keyGap.start));
        const int width = metrics.horizontalAdvance(text.mid(keyGap.start, keyGap.length));
        key->move(line->x() + left + (width - kKeySize.width()) / 2,
                  line->y() + (line->height() - kKeySize.height()) / 2);
    }
    gapLabel->raise();
    key->raise();
}

} // namespace kc
