// SPDX-License-Identifier: Apache-2.0
#include "gui/info_window.h"

#include "gui/pictures.h"
#include "presenter/library_info.h"
#include "presenter/version_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kc {
namespace {

QLabel* MakePicture(QWidget* parent, const QString& name, const QString& picture, QSize size) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(PicturePixmap(picture, size));
    label->setFixedSize(size);
    return label;
}

} // namespace

InfoWindow::InfoWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_Info"));
    setWindowTitle(QStringLiteral("Info zu KartoCheck"));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(
        MakePicture(this, QStringLiteral("Imge_1Form_Info"), QStringLiteral("about_terminal"), QSize(96, 72)),
        0, Qt::AlignTop);

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Fram_1Info"));
    auto* frameLayout = new QGridLayout(frame);
    frameLayout->addWidget(
        MakePicture(frame, QStringLiteral("Imge_1Fram1Info"), QStringLiteral("kartocheck"), QSize(48, 48)), 0,
        0, 2, 1);
    auto* name = new QLabel(QStringLiteral("KartoCheck"), frame);
    name->setObjectName(QStringLiteral("Labl_1Fram1Info_0"));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.5);
    name->setFont(bold);
    auto* version = new QLabel(kVersionLine, frame);
    version->setObjectName(QStringLiteral("Labl_1Fram1Info_1"));
    version->setTextFormat(Qt::PlainText);
    // Which library the program talks to, so the simulator is never taken for a terminal.
    auto* library = new QLabel(LibraryLine(InspectTerminalLibrary()), frame);
    library->setObjectName(QStringLiteral("Labl_1Fram1Info_2"));
    library->setTextFormat(Qt::PlainText);
    library->setWordWrap(true);
    frameLayout->addWidget(name, 0, 1);
    frameLayout->addWidget(version, 1, 1);
    frameLayout->addWidget(library, 2, 0, 1, 2);
    frameLayout->setColumnStretch(1, 1);
    top->addWidget(frame, 1);
    layout->addLayout(top);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("CmdB_1Form_Info"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setFixedSize(sizeHint().expandedTo(QSize(380, 150)));
}

} // namespace kc
