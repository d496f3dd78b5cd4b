// SPDX-License-Identifier: Apache-2.0
#include "gui/main_window_builder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kc {
namespace {

QAction* AddItem(QMenu& menu, const QString& name, const QString& caption) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

MenuWidgets BuildMenus(QMenuBar& bar) {
    MenuWidgets menus;
    menus.datei = bar.addMenu(QStringLiteral("&Datei"));
    menus.datei->setObjectName(QStringLiteral("mnuDatei"));

    menus.validation =
        AddItem(*menus.datei, QStringLiteral("mnuDateiItem_0"), QStringLiteral("&Validierung"));
    menus.validation->setCheckable(true);
    menus.validation->setChecked(false);

    menus.newSchema = menus.datei->addMenu(QStringLiteral("&Neues Schema laden"));
    menus.newSchema->setObjectName(QStringLiteral("mnuDateiItem_1"));
    menus.newSchema->menuAction()->setObjectName(QStringLiteral("mnuDateiItem_1"));
    menus.newSchema->setEnabled(false);
    const QString schemaCaptions[kSchemaItems] = {QStringLiteral("UC_allgemeineVersicherungsdatenXSD"),
                                                  QStringLiteral("UC_PersoenlicheVersichertendatenXSD"),
                                                  QStringLiteral("UC_geschuetzteVersichertendatenXSD")};
    for (int k = 0; k < kSchemaItems; ++k)
        menus.schemaItems[std::size_t(k)] =
            AddItem(*menus.newSchema, QStringLiteral("mnuSchemaItem_%1").arg(k), schemaCaptions[k]);

    menus.library = AddItem(*menus.datei, QStringLiteral("mnuLibraryItem"),
                            QStringLiteral("Terminal-Bibliothek &wählen…"));

    menus.separator = menus.datei->addSeparator();
    menus.separator->setObjectName(QStringLiteral("mnuDateiItem_2"));
    menus.quit = AddItem(*menus.datei, QStringLiteral("mnuDateiItem_3"), QStringLiteral("&Beenden"));

    menus.hilfe = bar.addMenu(QStringLiteral("&?"));
    menus.hilfe->setObjectName(QStringLiteral("mnuHilfe"));
    menus.infoItems[0] =
        AddItem(*menus.hilfe, QStringLiteral("mnuInfoItem_0"), QStringLiteral("Ben&utzer Information"));
    menus.infoItems[1] = AddItem(*menus.hilfe, QStringLiteral("mnuInfoItem_1"), QStringLiteral("Inf&o..."));
    return menus;
}

} // namespace kc
