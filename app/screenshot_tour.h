#pragma once

#include "gui/desktop_program.h"

#include <QString>
#include <memory>

class QDialog;
class QWidget;

namespace kc {

class TourBoxes;

// With KARTOCHECK_SCREENSHOTS=<folder> the program walks through its windows
// on its own once the first scan has ended, saves a picture of each into the
// folder and ends. Message boxes are pictured too and answered with their
// first button. Without the variable nothing changes.
class ScreenshotTour {
public:
    ScreenshotTour();
    ~ScreenshotTour();
    ScreenshotTour(const ScreenshotTour&) = delete;
    ScreenshotTour& operator=(const ScreenshotTour&) = delete;

    bool active() const { return !folder_.isEmpty(); }
    // The pieces the program takes from the tour (its message boxes).
    DesktopParts parts() const;
    void attach(DesktopProgram& program);

private:
    void runDialog(QDialog& dialog);
    void afterScan();
    void snap(QWidget& widget, const QString& name) const;

    QString folder_;
    std::unique_ptr<TourBoxes> boxes_;
    DesktopProgram* program_ = nullptr;
    bool scanResultShown_ = false;
};

} // namespace kc
