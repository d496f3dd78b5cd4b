// KartoCheck: the desktop window.
#include "shell/program_folder.h"
#include "shell/window/desktop_program.h"
#include "shell/window/pictures.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KartoCheck"));
    QApplication::setWindowIcon(kc::PictureIcon(QStringLiteral("kartocheck"), QSize(64, 64)));

    kc::DesktopProgram program;
    if (!program.start(kc::ProgramFolder()))
        return 0;
    return QApplication::exec();
}
