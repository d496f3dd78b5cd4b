// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/version.h"

#include <QDialog>

namespace kc {

// Form_Info: the about window with the version line and two pictures.
class InfoWindow : public QDialog {
  public:
    explicit InfoWindow(QWidget* parent = nullptr);
};

inline const QString kVersionLine =
    QStringLiteral("V ") + QLatin1String(kProgramVersion) + QStringLiteral(" [2008]");

} // namespace kc
