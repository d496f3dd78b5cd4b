// KartoCheck: the desktop window.
#include "base/program_folder.h"
#include "gui/desktop_program.h"
#include "gui/pictures.h"

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
