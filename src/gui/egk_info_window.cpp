// SPDX-License-Identifier: Apache-2.0
#include "gui/egk_info_window.h"

#include "base/message_boxes.h"
#include "gui/display_text.h"
#include "gui/first_user_window.h"
#include "gui/pictures.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kc {
namespace {

constexpr int kNameColumnTwips = 4000;
constexpr int kValueColumnTwips = 3770;

const char* const kPanelLabelNames[kPanelLabelCount] = {"Label2",  "Label3",  "Label4",  "Label5",
                                                        "Label6",  "Label7",  "Label9",  "Label10",
                                                        "Label11", "Label12", "Label13", "Label14"};

// The panel lines line up part under digit only in a fixed-pitch font.
QFont PanelFont(bool underlined) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(QLatin1Char('i')) != metrics.horizontalAdvance(QLatin1Char('W'))) {
        // Some platforms answer with their ordinary font; ask by kind instead.
        font = QFont(QStringLiteral("monospace"));
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    font.setBold(true);
    font.setUnderline(underlined);
    return font;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& toolTip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

EgkInfoWindow::EgkInfoWindow(const SlotTables& tables, int slot, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), tables_(tables), slot_(slot), boxes_(boxes) {
    setObjectName(QStringLiteral("Form_egK_Info"));
    setWindowTitle(QStringLiteral("KartoCheck"));
    resize(880, 620);

    auto* outer = new QVBoxLayout(this);
    auto* frame1 = new QGroupBox(QStringLiteral("Informationen zur elektronischen Gesundkeitskarte"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    outer->addWidget(frame1);
    auto* layout = new QVBoxLayout(frame1);

    label1_ = new QLabel(frame1);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setTextFormat(Qt::PlainText);
    QFont heading = label1_->font();
    heading.setBold(true);
    label1_->setFont(heading);
    layout->addWidget(label1_);

    frame2_ = new QGroupBox(frame1);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    buildPanel(frame2_);
    layout->addWidget(frame2_, 1);

    buildGrid(frame1);
    layout->addWidget(grid_, 1);

    auto* resultRow = new QHBoxLayout;
    label8_ = new QLabel(frame1);
    label8_->setObjectName(QStringLiteral("Label8"));
    label8_->setTextFormat(Qt::PlainText);
    label8_->setWordWrap(true);
    command6_ = MakeButton(frame1, QStringLiteral("Command6"), QStringLiteral("&Hilfe"), QString());
    resultRow->addWidget(label8_, 1);
    resultRow->addWidget(command6_, 0, Qt::AlignTop);
    layout->addLayout(resultRow);

    text1_ = new QPlainTextEdit(frame1);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    // The documents come as one long line; wrapped they can be read.
    text1_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->addWidget(text1_, 1);

    buildButtons(frame1);
    connect(command6_, &QPushButton::clicked, this, [this] { showValidationHelp(); });

    // Load: column widths, an empty heading, and the card panel first; it
    // decides which of the views above are visible.
    grid_->setColumnWidth(0, TwipsToPixels(kNameColumnTwips));
    grid_->setColumnWidth(1, TwipsToPixels(kValueColumnTwips));
    label1_->clear();
    showCardPanel();
}

void EgkInfoWindow::buildPanel(QGroupBox* parent) {
    auto* layout = new QVBoxLayout(parent);
    for (int i = 0; i < kPanelLabelCount; ++i) {
        auto* label = new QLabel(parent);
        label->setObjectName(QLatin1String(kPanelLabelNames[i]));
        label->setTextFormat(Qt::PlainText);
        const bool heading = i == 0 || i == 6; // Label2 and Label9
        label->setFont(PanelFont(heading));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (i == 6)
            layout->addSpacing(18);
        layout->addWidget(label);
        panelLabels_[std::size_t(i)] = label;
    }
    layout->addStretch(1);
}

void EgkInfoWindow::buildGrid(QWidget* parent) {
    // Row 0 of the grid is its fixed header row; rows 1 to 61 take the elements.
    grid_ = new QTableWidget(kInfoGridRows - 1, 2, parent);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setVisible(false);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    for (int column = 0; column < 2; ++column)
        grid_->setHorizontalHeaderItem(column, new QTableWidgetItem);
    // The first column is fixed too: shaded like the header, not selectable.
    const QBrush fixed = palette().brush(QPalette::Button);
    for (int row = 0; row < grid_->rowCount(); ++row) {
        auto* name = new QTableWidgetItem;
        name->setBackground(fixed);
        name->setFlags(Qt::ItemIsEnabled);
        grid_->setItem(row, 0, name);
        grid_->setItem(row, 1, new QTableWidgetItem);
    }
}

void EgkInfoWindow::buildButtons(QWidget* parent) {
    auto* row = new QHBoxLayout;
    auto* picture = new QToolButton(parent);
    picture->setObjectName(QStringLiteral("Command5"));
    picture->setIcon(PictureIcon(QStringLiteral("read_card"), QSize(24, 24)));
    picture->setIconSize(QSize(24, 24));
    picture->setAutoRaise(true);
    row->addWidget(picture);

    command4_ = MakeButton(parent, QStringLiteral("Command4"), QStringLiteral("ICC Info"),
                           QStringLiteral("Informationen zur Chipkarte. "));
    connect(command4_, &QPushButton::clicked, this, [this] { showCardPanel(); });
    row->addWidget(command4_);

    const QString documents[kDocKindCount] = {QStringLiteral("PD"), QStringLiteral("VD"),
                                              QStringLiteral("GVD")};
    const QString xmlTips[kDocKindCount] = {
        QStringLiteral("Anzeige der persönlichen Versichertendaten in XML Darstellung."),
        QStringLiteral("Anzeige der allgemeinen Versicherungsdaten in XML Darstellung."),
        QStringLiteral("Anzeige der geschützten Versichertendaten in XML Darstellung.")};
    const QString tableTips[kDocKindCount] = {QStringLiteral("Anzeige der persönlichen Versichertendaten."),
                                              QStringLiteral("Anzeige der allgemeinen Versicherungsdaten."),
                                              QStringLiteral("Anzeige der geschützten Versichertendaten.")};
    for (int index = 0; index < kDocKindCount; ++index) {
        QPushButton* xml = MakeButton(parent, QStringLiteral("Command2_%1").arg(index),
                                      documents[index] + QStringLiteral(" (xml)"), xmlTips[index]);
        QPushButton* table =
            MakeButton(parent, QStringLiteral("Command1_%1").arg(index), documents[index], tableTips[index]);
        connect(xml, &QPushButton::clicked, this, [this, index] { showXml(index); });
        connect(table, &QPushButton::clicked, this, [this, index] { showTable(index); });
        row->addWidget(xml);
        row->addWidget(table);
    }
    QPushButton* ok = MakeButton(parent, QStringLiteral("Command3"), QStringLiteral("&OK"), QString());
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    row->addStretch(1);
    row->addWidget(ok);
    static_cast<QVBoxLayout*>(parent->layout())->addLayout(row);
}

QString EgkInfoWindow::cell(int row, int column) const {
    const QTableWidgetItem* item =
        row == 0 ? grid_->horizontalHeaderItem(column) : grid_->item(row - 1, column);
    return item ? item->text() : QString();
}

int EgkInfoWindow::gridRows() const {
    return grid_->rowCount() + 1;
}

void EgkInfoWindow::setCell(int row, int column, const QString& text) {
    QTableWidgetItem* item = row == 0 ? grid_->horizontalHeaderItem(column) : grid_->item(row - 1, column);
    if (item)
        item->setText(text);
}

void EgkInfoWindow::clearGrid() {
    for (int row = 0; row < gridRows(); ++row) {
        setCell(row, 0, QString());
        setCell(row, 1, QString());
    }
}

void EgkInfoWindow::hideViews() {
    grid_->setVisible(false);
    label8_->setVisible(false);
    text1_->setVisible(false);
    frame2_->setVisible(false);
}

void EgkInfoWindow::showCardPanel() {
    hideViews();
    command6_->setVisible(false);
    frame2_->setVisible(true);
    const EgkCardPanel panel = CardPanelForSlot(tables_, slot_);
    frame2_->setTitle(panel.frameCaption);
    command4_->setToolTip(panel.command4ToolTip);
    command4_->setText(panel.command4Caption);
    label1_->setText(ShownLines(panel.label1));
    for (int i = 0; i < kPanelLabelCount; ++i) {
        const PanelLabel& line = panel.labels[std::size_t(i)];
        panelLabels_[std::size_t(i)]->setText(line.caption);
        if (line.toolTip)
            panelLabels_[std::size_t(i)]->setToolTip(*line.toolTip);
    }
}

void EgkInfoWindow::showTable(int index) {
    hideViews();
    grid_->setVisible(true);
    label8_->setVisible(true);
    clearGrid();
    label1_->clear();
    label8_->clear();
    const EgkTableView view = TableView(tables_.egk[slot_], index);
    setCell(0, 0, view.headerName);
    setCell(0, 1, view.headerValue);
    label1_->setText(ShownLines(view.label1));
    int row = 0;
    for (const ElementEntry& entry : view.rows) {
        if (++row >= gridRows())
            break;
        setCell(row, 0, entry.name);
        setCell(row, 1, entry.text);
    }
    label8_->setText(ShownLines(view.label8));
    if (view.command6Visible)
        command6_->setVisible(*view.command6Visible);
}

void EgkInfoWindow::showXml(int index) {
    hideViews();
    command6_->setVisible(false);
    label1_->clear();
    text1_->setVisible(true);
    text1_->clear();
    const EgkXmlView view = XmlView(tables_.egk[slot_], index);
    label1_->setText(ShownLines(view.label1));
    text1_->setPlainText(view.text1);
}

void EgkInfoWindow::showValidationHelp() {
    boxes_.ask(ValidationHelpMessage());
}

} // namespace kc
