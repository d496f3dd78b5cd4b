// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/main_view.h"
#include "base/main_window_model.h"
#include "base/status_line.h"

namespace kc {

// The status line of both front-ends: writes the text, the progress and the
// busy pointer into the model and lets the view repaint from it.
class ModelStatusLine : public StatusLine {
  public:
    ModelStatusLine(MainWindowModel& model, MainView& view) : model_(model), view_(view) {}

    void showStatus(const QString& text) override {
        model_.statusText = text;
        view_.refresh(model_);
    }
    void setProgress(int value) override {
        model_.progress = value;
        view_.refresh(model_);
    }
    void setBusy(bool busy) override {
        model_.busy = busy;
        view_.refresh(model_);
    }

  private:
    MainWindowModel& model_;
    MainView& view_;
};

} // namespace kc
