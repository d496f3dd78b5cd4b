// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/lamps.h"
#include "base/main_window_model.h"

namespace kc {

// The two lamps of "MKT Status" as the session colours them, kept in the model;
// the view repaints them the next time pending events run.
class ModelLamps : public LampObserver {
  public:
    explicit ModelLamps(MainWindowModel& model) : model_(model) {}
    void setLamp(int lamp, LampColor color) override {
        if (lamp >= 0 && lamp < int(model_.lamps.size()))
            model_.lamps[std::size_t(lamp)] = color;
    }

  private:
    MainWindowModel& model_;
};

} // namespace kc
