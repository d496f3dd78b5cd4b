// SPDX-License-Identifier: Apache-2.0
// kartocheck-screenshot-tour FOLDER: pictures of every window, taken from the
// screen while the program runs on its simulator. It answers every question
// with Ja or OK, so it refuses to run on any other terminal library: on a real
// handheld that would erase the stored record without anyone's consent.
#include "base/program_folder.h"
#include "ctapi/pseudo_terminal.h"
#include "gui/pictures.h"
#include "screenshot_tour.h"
#include "terminal/ctapi_provider.h"
#include "terminal/simulator_library.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// A pseudo-terminal as COM 1, so that the diagnosis has a free line to ask about.
class QuietComPort {
  public:
    QuietComPort() {
        if (qEnvironmentVariableIsSet("KARTOCHECK_COM1"))
            return;
        line_.emplace();
        if (line_->ok())
            qputenv("KARTOCHECK_COM1", line_->slavePath().c_str());
    }

  private:
    std::optional<kc::ctapi::PseudoTerminal> line_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KartoCheck"));
    QApplication::setWindowIcon(kc::PictureIcon(QStringLiteral("kartocheck"), QSize(64, 64)));
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: kartocheck-screenshot-tour ORDNER\n");
        return 64;
    }
    const QString library = kc::LibraryCtApiProvider::libraryToLoad();
    if (!kc::IsSimulatorLibrary(library)) {
        std::fprintf(stderr,
                     "Die Bildschirmtour läuft nur mit dem Simulator als Terminalbibliothek, nicht mit %s.\n",
                     qPrintable(library));
        return 2;
    }

    QuietComPort com1;
    kc::ScreenshotTour tour(QString::fromLocal8Bit(argv[1]));
    kc::DesktopProgram program(tour.parts());
    tour.attach(program);
    if (!program.start(kc::ProgramFolder()))
        return 0;
    const int status = QApplication::exec();
    return tour.complete() ? status : 3;
}
