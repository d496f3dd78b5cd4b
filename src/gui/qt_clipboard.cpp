// SPDX-License-Identifier: Apache-2.0
#include "gui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kc {

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace kc
