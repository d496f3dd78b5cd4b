// SPDX-License-Identifier: Apache-2.0
#include "screenshot_tour.h"

#include "base/app_state.h"
#include "gui/egk_info_window.h"
#include "gui/first_user_window.h"
#include "gui/main_window.h"
#include "gui/qt_message_boxes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <optional>

namespace kc {
namespace {

constexpr qint64 kSettleLimitMs = 30000;
constexpr int kScanLimitMs = 60000;

// Said in the tour's log, which the pictures test shows when a picture differs.
void WarnAfter(const QWidget& widget, const char* what, const QElapsedTimer& waited) {
    qWarning("%s: %s after %lld ms", qPrintable(widget.objectName()), what,
             static_cast<long long>(waited.elapsed()));
}

// Lets the window system show and frame a window before it is pictured. The
// window manager frames a window a moment after it is exposed, and on a busy
// machine (the sanitizer build, a second suite beside it) that took more than
// five seconds. Qt may also read the frame while the window manager is still
// building it (a frame of 1x1 pixels) and keep that until the window is next
// configured, so a window without a plausible frame is moved by a pixel and
// back once a second.
bool Framed(const QWidget& widget) {
    const QRect frame = widget.frameGeometry();
    return widget.windowHandle() && widget.windowHandle()->isExposed() && frame != widget.geometry() &&
           frame.contains(widget.geometry());
}

bool AwaitFrame(QWidget& widget) {
    QElapsedTimer waited;
    waited.start();
    qint64 nudged = 0;
    while (waited.elapsed() < kSettleLimitMs) {
        QApplication::processEvents();
        if (Framed(widget))
            return true;
        QThread::msleep(10);
        if (waited.elapsed() - nudged >= 1000) {
            nudged = waited.elapsed();
            const QPoint at = widget.pos();
            widget.move(at + QPoint(1, 0));
            QApplication::processEvents();
            widget.move(at);
        }
    }
    WarnAfter(widget, "no window manager frame", waited);
    return false;
}

QImage GrabFrame(QWidget& widget) {
    const QRect frame = widget.frameGeometry();
    return widget.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).toImage();
}

// Taken from the screen, not from the widget, so that the picture shows what
// a person sees, the window manager's frame included. The frame's size is
// known before the window manager has moved the window into it, so the
// picture is the first that three grabs in a row, 100 ms apart, agree on.
// None when the window got no frame.
std::optional<QImage> SettledPicture(QWidget& widget) {
    if (!AwaitFrame(widget))
        return std::nullopt;
    QElapsedTimer waited;
    waited.start();
    QImage last;
    int agreeing = 0;
    while (agreeing < 2 && waited.elapsed() < kSettleLimitMs) {
        QApplication::processEvents();
        QThread::msleep(100);
        QApplication::processEvents();
        // The window manager may frame a window anew after it was first framed.
        if (!Framed(widget)) {
            if (!AwaitFrame(widget))
                return std::nullopt;
            agreeing = 0;
            continue;
        }
        QImage shot = GrabFrame(widget);
        agreeing = shot == last ? agreeing + 1 : 0;
        last = std::move(shot);
    }
    if (agreeing < 2)
        WarnAfter(widget, "the screen did not settle", waited);
    return last;
}

} // namespace

// Saves the pictures into the tour's folder. Once one window went without a
// frame, every later picture would wait as long and be as wrong: it then
// pictures nothing more, and the tour says so at its end.
class TourCamera {
  public:
    explicit TourCamera(QString folder) : folder_(std::move(folder)) { QDir().mkpath(folder_); }

    void save(QWidget& widget, const QString& name) {
        if (givenUp_)
            return;
        const std::optional<QImage> picture = SettledPicture(widget);
        if (picture)
            picture->save(QDir(folder_).filePath(name + QStringLiteral(".png")));
        else
            giveUp();
    }
    void giveUp() { givenUp_ = true; }
    bool givenUp() const { return givenUp_; }

  private:
    QString folder_;
    bool givenUp_ = false;
};

// Shows each box, pictures it and answers OK or Ja. The first question of
// the diagnosis gets a name of its own.
class TourBoxes : public MessageBoxes {
  public:
    explicit TourBoxes(TourCamera& camera) : camera_(camera) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    MsgAnswer ask(const MessageRequest& request) override {
        const std::unique_ptr<QMessageBox> box = BuildMessageBox(request, parent_);
        box->show();
        const bool firstDiagnosis = !diagnosisShown_ && request.title.contains(QLatin1String("Diagnose"));
        diagnosisShown_ = diagnosisShown_ || firstDiagnosis;
        camera_.save(*box, firstDiagnosis ? QStringLiteral("diagnosis_question")
                                          : QStringLiteral("box_%1").arg(++count_));
        box->close();
        return request.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }

  private:
    TourCamera& camera_;
    QWidget* parent_ = nullptr;
    int count_ = 0;
    bool diagnosisShown_ = false;
};

ScreenshotTour::ScreenshotTour(const QString& folder)
    : camera_(std::make_unique<TourCamera>(folder)), boxes_(std::make_unique<TourBoxes>(*camera_)) {}

ScreenshotTour::~ScreenshotTour() = default;

DesktopParts ScreenshotTour::parts() const {
    DesktopParts parts;
    parts.boxes = boxes_.get();
    return parts;
}

void ScreenshotTour::attach(DesktopProgram& program) {
    program_ = &program;
    MainWindow& window = program.window();
    boxes_->setParent(&window);
    window.setDialogRunner([this](QDialog& dialog) { runDialog(dialog); });
    // The scan starts on the first activation; the tour goes on once it is over.
    auto* poll = new QTimer(&window);
    poll->setInterval(100);
    QObject::connect(poll, &QTimer::timeout, &window, [this, poll] {
        if (!scanResultShown_ || program_->state().ActionRunning)
            return;
        poll->stop();
        afterScan();
    });
    poll->start();
    // A scan that never shows its result would leave the tour waiting for ever.
    QTimer::singleShot(kScanLimitMs, &window, [this] {
        if (scanResultShown_)
            return;
        qWarning("no scan result after %d ms", kScanLimitMs);
        camera_->giveUp();
        QCoreApplication::quit();
    });
}

bool ScreenshotTour::complete() const {
    return !camera_->givenUp();
}

void ScreenshotTour::snap(QWidget& widget, const QString& name) {
    camera_->save(widget, name);
}

void ScreenshotTour::runDialog(QDialog& dialog) {
    const QString name = dialog.objectName();
    // The scan's wait view, before its result window covers it.
    if (name == QLatin1String("Form_DatenInfo"))
        snap(program_->window(), QStringLiteral("main_during_scan"));
    // Modal as the program's exec() shows it, or the window manager stacks and focuses it otherwise.
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    if (name == QLatin1String("Form_FirstUser")) {
        auto& firstUse = static_cast<FirstUserWindow&>(dialog);
        const bool helpMode = firstUse.button(1)->isHidden();
        snap(dialog, helpMode ? QStringLiteral("first_use_help") : QStringLiteral("first_use"));
        firstUse.button(0)->click();
    } else if (name == QLatin1String("Form_DatenInfo")) {
        snap(dialog, QStringLiteral("scan_result"));
        scanResultShown_ = true;
    } else if (name == QLatin1String("Form_egK_Info")) {
        auto& info = static_cast<EgkInfoWindow&>(dialog);
        snap(dialog, QStringLiteral("egk_info_card"));
        info.showTable(1);
        snap(dialog, QStringLiteral("egk_info_table_vd"));
        info.showXml(0);
        snap(dialog, QStringLiteral("egk_info_xml_pd"));
    } else if (name == QLatin1String("Form_Info")) {
        snap(dialog, QStringLiteral("about"));
    } else {
        snap(dialog, name);
    }
    dialog.close();
}

void ScreenshotTour::afterScan() {
    MainWindow& window = program_->window();
    window.activateWindow();
    snap(window, QStringLiteral("main_after_scan"));
    // As the person would: choose the further port and show its card data.
    window.widgets().options[4]->click();
    window.widgets().buttons[3]->click();
    snap(window, QStringLiteral("main_card_data"));
    window.widgets().egkButton->click();
    window.userInformationClicked();
    window.infoClicked();
    // COM 1 is a line nobody answers on: the diagnosis asks its questions.
    if (window.widgets().options[0]->isEnabled()) {
        window.widgets().options[0]->click();
        window.widgets().buttons[1]->click();
    }
    window.closeByProgram();
}

} // namespace kc
