// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "egk/egk_info_data.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace kc {

class MessageBoxes;

// Form_egK_Info: what an eGK read left for a slot, in one of three views:
// the card panel, the element table of a document, or its XML text.
class EgkInfoWindow : public QDialog {
  public:
    EgkInfoWindow(const SlotTables& tables, int slot, MessageBoxes& boxes, QWidget* parent = nullptr);

    void showCardPanel();      // Command4
    void showTable(int index); // Command1(index): 0 PD, 1 VD, 2 GVD
    void showXml(int index);   // Command2(index)
    void showValidationHelp(); // Command6

    // The grid as classic code addresses it: row 0 is the fixed header row.
    QString cell(int row, int column) const;
    int gridRows() const;

  private:
    void buildPanel(QGroupBox* parent);
    void buildGrid(QWidget* parent);
    void buildButtons(QWidget* parent);
    void setCell(int row, int column, const QString& text);
    void clearGrid();
    void hideViews();

    const SlotTables& tables_;
    int slot_;
    MessageBoxes& boxes_;
    QGroupBox* frame2_ = nullptr;
    std::array<QLabel*, kPanelLabelCount> panelLabels_{}; // Label2-7, Label9-14
    QLabel* label1_ = nullptr;
    QTableWidget* grid_ = nullptr; // MSFlexGrid1
    QLabel* label8_ = nullptr;
    QPlainTextEdit* text1_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command6_ = nullptr;
};

} // namespace kc
