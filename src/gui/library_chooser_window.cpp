// SPDX-License-Identifier: Apache-2.0
#include "gui/library_chooser_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kc {

LibraryChooserWindow::LibraryChooserWindow(const QList<LibraryEntry>& entries, const LikelyFit& fit,
                                           FileChooser chooseFile, QWidget* parent)
    : QDialog(parent), entries_(entries), chooseFile_(std::move(chooseFile)) {
    setObjectName(QStringLiteral("Form_Library"));
    setWindowTitle(QStringLiteral("Terminal-Bibliothek wählen"));

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Über welche CT-API-Bibliothek spricht KartoCheck mit dem "
                                            "Kartenterminal?"),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List_Library"));
    for (const LibraryEntry& entry : entries_) {
        auto* item = new QListWidgetItem(entry.name + QStringLiteral("\n    ") + entry.purpose, list_);
        item->setToolTip(entry.path);
    }
    list_->setMinimumWidth(460);
    layout->addWidget(list_);

    fit_ = new QLabel(fit.text, this);
    fit_->setObjectName(QStringLiteral("Labl_LikelyFit"));
    fit_->setWordWrap(true);
    layout->addWidget(fit_);

    auto* buttons = new QDialogButtonBox(this);
    other_ = buttons->addButton(QStringLiteral("Andere Datei…"), QDialogButtonBox::ActionRole);
    ok_ = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    connect(other_, &QPushButton::clicked, this, [this] { takeOtherFile(); });
    connect(ok_, &QPushButton::clicked, this, [this] { takeListChoice(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { takeListChoice(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { ok_->setEnabled(row >= 0); });

    list_->setCurrentRow(fit.entry);
    ok_->setEnabled(fit.entry >= 0);
    ok_->setDefault(true);
}

void LibraryChooserWindow::takeListChoice() {
    const int row = list_->currentRow();
    if (row < 0 || row >= entries_.size())
        return;
    chosen_ = entries_[row].path;
    accept();
}

void LibraryChooserWindow::takeOtherFile() {
    const QString file = chooseFile_(QLatin1String(kLibraryFileFilter));
    if (file.isEmpty())
        return;
    chosen_ = file;
    accept();
}

} // namespace kc
