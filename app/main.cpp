// SPDX-License-Identifier: Apache-2.0
// KartoCheck: the desktop window.
#include "egk/schema_texts.h"
#include "gui/desktop_program.h"
#include "gui/pictures.h"

#include "presenter/library_info.h"
#include "presenter/version_text.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // Answered before any window, so that it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        const QString text =
            kc::VersionText(QStringLiteral("kartocheck"), kc::InspectTerminalLibrary(), kc::SchemaFolder());
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KartoCheck"));
    QApplication::setWindowIcon(kc::PictureIcon(QStringLiteral("kartocheck"), QSize(64, 64)));

    kc::DesktopProgram program;
    if (!program.start(kc::SchemaFolder()))
        return 0;
    return QApplication::exec();
}
