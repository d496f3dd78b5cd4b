// SPDX-License-Identifier: Apache-2.0
// Forwarding of the main window's clicks and menu items.
#include "gui/main_window.h"

#include "base/app_state.h"
#include "egk/schema_texts.h"
#include "gui/first_user_window.h"
#include "gui/info_window.h"
#include "presenter/dispatcher.h"
#include "presenter/schema_menu.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>

namespace kc {

void MainWindow::connectControls() {
    for (int i = 0; i < kCommandButtons; ++i)
        connect(w_.buttons[std::size_t(i)], &QToolButton::clicked, this, [this, i] { pressButton(i); });
    for (int i = 0; i < kPortOptions; ++i) {
        connect(w_.options[std::size_t(i)], &QRadioButton::clicked, this, [this, i] {
            if (dispatcher_)
                dispatcher_->optionClicked(i);
            refresh(state_.ui);
        });
    }
    connect(w_.tabs, &QTabBar::currentChanged, this, [this](int tab) {
        if (dispatcher_) // the port choice checks the tab (-1: none)
            dispatcher_->tabClicked(tab);
        refresh(state_.ui);
    });
    connect(w_.list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (dispatcher_) // the port choice checks the row (-1: none)
            dispatcher_->listClicked(row);
        refresh(state_.ui);
    });
    connect(w_.egkButton, &QPushButton::clicked, this, [this] {
        if (dispatcher_)
            dispatcher_->egkInfoClicked();
    });

    connect(w_.menus.validation, &QAction::triggered, this, [this] { validationClicked(); });
    for (int k = 0; k < kSchemaItems; ++k)
        connect(w_.menus.schemaItems[std::size_t(k)], &QAction::triggered, this,
                [this, k] { schemaItemClicked(k); });
    connect(w_.menus.library, &QAction::triggered, this, [this] { libraryItemClicked(); });
    connect(w_.menus.quit, &QAction::triggered, this, [this] { closeByProgram(); });
    connect(w_.menus.infoItems[0], &QAction::triggered, this, [this] { userInformationClicked(); });
    connect(w_.menus.infoItems[1], &QAction::triggered, this, [this] { infoClicked(); });
}

void MainWindow::validationClicked() {
    ClickValidationItem(state_, boxes_);
    refresh(state_.ui);
}

void MainWindow::schemaItemClicked(int k) {
    ReplaceSchemaText(state_, k, chooseFile_(DesktopFileFilter(kSchemaFileFilter)));
}

void MainWindow::libraryItemClicked() {
    if (chooseLibrary_)
        chooseLibrary_();
    refresh(state_.ui);
}

void MainWindow::userInformationClicked() {
    FirstUserWindow window(state_.FirstUseQuit, this);
    window.prepareHelpMode();
    runDialog(window);
}

void MainWindow::infoClicked() {
    InfoWindow window(this);
    runDialog(window);
}

} // namespace kc
