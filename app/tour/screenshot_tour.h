// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "gui/desktop_program.h"

#include <QString>
#include <memory>

class QDialog;
class QWidget;

namespace kc {

class TourBoxes;
class TourCamera;

// Walks through the program's windows on its own once the first scan has
// ended, saves a picture of each as the screen shows it (window frame
// included) into a folder and ends. Message boxes are pictured too and
// answered with their first button, so it runs on the simulator only.
class ScreenshotTour {
  public:
    explicit ScreenshotTour(const QString& folder);
    ~ScreenshotTour();
    ScreenshotTour(const ScreenshotTour&) = delete;
    ScreenshotTour& operator=(const ScreenshotTour&) = delete;

    // The pieces the program takes from the tour (its message boxes).
    DesktopParts parts() const;
    void attach(DesktopProgram& program);
    // False once it gave up: a window went without a frame, or no scan result came.
    bool complete() const;

  private:
    void runDialog(QDialog& dialog);
    void afterScan();
    // Not const: a window without a frame makes the tour give up.
    void snap(QWidget& widget, const QString& name);

    std::unique_ptr<TourCamera> camera_;
    std::unique_ptr<TourBoxes> boxes_;
    DesktopProgram* program_ = nullptr;
    bool scanResultShown_ = false;
};

} // namespace kc
