// SPDX-License-Identifier: Apache-2.0
// How long the desktop program takes from its start-up to the first painted
// main window: schema texts, the first-use window (accepted at once), the
// main window built, shown and painted. The terminal library is the
// simulator next to the program; it is not touched before the first scan.
#include "base/app_state.h"
#include "base/program_folder.h"
#include "gui/desktop_program.h"
#include "gui/first_user_window.h"
#include "gui/main_window.h"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

// Notices the first paint of any control of the main window.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(QWidget& window) : window_(window) {
        QApplication::instance()->installEventFilter(this);
    }
    ~FirstPaint() override { QApplication::instance()->removeEventFilter(this); }
    bool painted() const { return painted_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_)
            painted_ = true;
        return false;
    }

  private:
    QWidget& window_;
    bool painted_ = false;
};

// One application object for the whole run, offscreen unless told otherwise,
// with the simulator as the terminal library.
void EnsureApplication() {
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("KARTOCHECK_CTAPI"))
        qputenv("KARTOCHECK_CTAPI", (kc::ProgramFolder() + QStringLiteral("/libmktsim.so")).toLocal8Bit());
    static int argc = 1;
    static char name[] = "startup_bench";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

void StartUpToFirstPaint(benchmark::State& state) {
    EnsureApplication();
    const QString folder = kc::ProgramFolder();
    for (auto _ : state) {
        kc::DesktopProgram program;
        kc::MainWindow& window = program.window();
        window.setDialogRunner([](QDialog& dialog) {
            if (auto* firstUse = dynamic_cast<kc::FirstUserWindow*>(&dialog))
                firstUse->button(0)->click();
        });
        program.state().AutoScanPending = false; // the scan is not part of the start-up
        FirstPaint paint(window);
        if (!program.start(folder))
            state.SkipWithError("the first-use window was declined");
        while (!paint.painted())
            QApplication::processEvents();
        benchmark::DoNotOptimize(paint.painted());
        state.PauseTiming();
        window.closeByProgram();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

} // namespace

// The first start-up pays for fonts, styles and pictures once; later ones in
// the same process show the cost of the window alone.
BENCHMARK(StartUpToFirstPaint)
    ->Name("StartUpToFirstPaint/first")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpToFirstPaint)->Name("StartUpToFirstPaint/again")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
