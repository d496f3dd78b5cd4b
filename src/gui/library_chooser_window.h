// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "presenter/library_catalogue.h"

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace kc {

// "Terminal-Bibliothek wählen": the libraries on offer, one line each on what
// it is for, the likely fit preselected, and "Andere Datei…" for a maker's
// library. What is listed and what fits is decided below, in the presenter.
class LibraryChooserWindow : public QDialog {
  public:
    // Asks for a file with a filter; empty when cancelled.
    using FileChooser = std::function<QString(const QString& filter)>;

    LibraryChooserWindow(const QList<LibraryEntry>& entries, const LikelyFit& fit, FileChooser chooseFile,
                         QWidget* parent = nullptr);

    // The file chosen; empty while none is (or the window was cancelled).
    const QString& chosenFile() const { return chosen_; }

    QListWidget* list() const { return list_; }
    QLabel* fitLabel() const { return fit_; }
    QPushButton* otherFileButton() const { return other_; }
    QPushButton* okButton() const { return ok_; }

  private:
    void takeListChoice();
    void takeOtherFile();

    QList<LibraryEntry> entries_;
    FileChooser chooseFile_;
    QString chosen_;
    QListWidget* list_ = nullptr;
    QLabel* fit_ = nullptr;
    QPushButton* other_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// The filter of the file dialog for a maker's library.
inline constexpr char kLibraryFileFilter[] = "CT-API-Bibliothek (*.so*)";

} // namespace kc
