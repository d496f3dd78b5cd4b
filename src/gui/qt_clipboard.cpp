// SPDX-License-Identifier: Apache-2.0
#include "gui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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
    // The copy holds an insured person's data: the hint password managers set
    // keeps clipboard managers from writing it into their history.
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(QLatin1String(kClipboardSecretHintType), QByteArrayLiteral("secret"));
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace kc
