// SPDX-License-Identifier: Apache-2.0
#include "gui/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kc {

QPixmap PicturePixmap(const QString& name, QSize size) {
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    return pixmap;
}

QIcon PictureIcon(const QString& name, QSize size) {
    QIcon icon;
    icon.addPixmap(PicturePixmap(name, size));
    icon.addPixmap(PicturePixmap(name, size * 2));
    return icon;
}

} // namespace kc
