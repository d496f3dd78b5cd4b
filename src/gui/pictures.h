// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace kc {

// The program's pictures are SVG files in the resources, drawn at the size
// a control needs. name is the file name without ".svg".
QPixmap PicturePixmap(const QString& name, QSize size);
QIcon PictureIcon(const QString& name, QSize size);

} // namespace kc
