// SPDX-License-Identifier: Apache-2.0
#include "gui/main_window_render.h"

#include "gui/accessible_names.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>

namespace kc {

QString ShownLabelText(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i; // "&&" leaves one, "&x" leaves x
        }
        shown += caption[i];
    }
    return shown;
}

QString LampStyle(LampColor color) {
    switch (color) {
    case LampColor::Neutral:
        return QStringLiteral("background-color: palette(button);");
    case LampColor::Yellow:
        return QStringLiteral("background-color: rgb(255, 255, 0);");
    case LampColor::Green:
        return QStringLiteral("background-color: rgb(0, 255, 0);");
    }
    return {};
}

MainWindowRenderer::~MainWindowRenderer() {
    renderBusy(false);
}

void MainWindowRenderer::render(const MainWindowModel& model, bool validationOn) {
    renderCommands(model, validationOn);
    renderPorts(model);
    for (int i = 0; i < kContentFrames; ++i)
        w_.contentFrames[std::size_t(i)]->setVisible(i == model.visibleFrame);
    renderStatusTab(model);
    renderCardData(model.card);
    renderStatusBar(model);
    renderBusy(model.busy);
}

void MainWindowRenderer::renderCommands(const MainWindowModel& model, bool validationOn) {
    w_.toolbar->setEnabled(model.toolbarEnabled);
    for (int i = 0; i < kCommandButtons; ++i)
        w_.buttons[std::size_t(i)]->setEnabled(model.buttonEnabled[std::size_t(i)]);
    w_.menus.validation->setChecked(validationOn);
    w_.menus.validation->setEnabled(model.validationItemEnabled);
    w_.menus.newSchema->setEnabled(model.newSchemaItemEnabled);
    // Locked with the tool bar: a new library is taken between actions only.
    w_.menus.library->setEnabled(model.toolbarEnabled);
}

void MainWindowRenderer::renderPorts(const MainWindowModel& model) {
    for (int i = 0; i < kPortOptions; ++i) {
        const PortOption& option = model.options[std::size_t(i)];
        QRadioButton* button = w_.options[std::size_t(i)];
        const QSignalBlocker block(button);
        button->setEnabled(option.enabled);
        button->setChecked(option.checked);
        w_.optionLabels[std::size_t(i)]->setEnabled(option.enabled);
    }
    for (int i = 0; i < 2; ++i) {
        QLabel* lamp = w_.lamps[std::size_t(i)];
        const QString style = LampStyle(model.lamps[std::size_t(i)]);
        if (lamp->styleSheet() != style)
            lamp->setStyleSheet(style);
        ShowLampValue(*lamp, model.lamps[std::size_t(i)]);
    }
    const QSignalBlocker block(w_.list);
    QStringList shown;
    for (int row = 0; row < w_.list->count(); ++row)
        shown.append(w_.list->item(row)->text());
    if (shown != model.listEntries) {
        w_.list->clear();
        w_.list->addItems(model.listEntries);
    }
    if (w_.list->currentRow() != model.listSelected)
        w_.list->setCurrentRow(model.listSelected);
    w_.list->setVisible(model.listVisible);
}

void MainWindowRenderer::renderStatusTab(const MainWindowModel& model) {
    {
        const QSignalBlocker block(w_.tabs);
        for (int tab = 0; tab < kStatusPages; ++tab) {
            if (w_.tabs->tabText(tab) != model.tabCaptions[std::size_t(tab)])
                w_.tabs->setTabText(tab, model.tabCaptions[std::size_t(tab)]);
        }
        if (w_.tabs->currentIndex() != model.selectedTab)
            w_.tabs->setCurrentIndex(model.selectedTab);
    }
    for (int page = 0; page < kStatusPages; ++page) {
        const StatusPageWidgets& widgets = w_.pages[std::size_t(page)];
        widgets.frame->setVisible(page == model.visibleStatusFrame);
        const StatusPage& values = model.statusPages[page + 1];
        for (int row = 0; row < kStatusRows; ++row)
            ShowValueText(*widgets.values[std::size_t(row)], values.values[std::size_t(row)]);
    }
}

void MainWindowRenderer::renderCardData(const CardDataView& card) {
    w_.cardFrame->setTitle(card.frameCaption);
    for (int row = 0; row < kCardRows; ++row) {
        const CardRowWidgets& cells = w_.cardRows[std::size_t(row)];
        cells.caption->setText(card.captions[std::size_t(row)]);
        ShowValueText(*cells.value, ShownLabelText(card.values[std::size_t(row)]));
        const bool visible = row < 16 || card.mobileRowsVisible;
        cells.caption->setVisible(visible);
        cells.value->setVisible(visible);
    }
    w_.egkButton->setVisible(card.egkButtonVisible);
}

void MainWindowRenderer::renderStatusBar(const MainWindowModel& model) {
    w_.statusText->setText(model.statusText);
    w_.progress->setValue(model.progress);
}

void MainWindowRenderer::renderBusy(bool busy) {
    if (busy == busyShown_)
        return;
    busyShown_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace kc
