// SPDX-License-Identifier: Apache-2.0
#include "gui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kc {

void QtClipboard::clear() {
    // A Wayland compositor may keep its own copy of the text and offer it
    // again once our offer is withdrawn; an empty text replaces that copy.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        QGuiApplication::clipboard()->setText(QString());
    else
        QGuiApplication::clipboard()->clear();
}

void QtClipboard::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace kc
