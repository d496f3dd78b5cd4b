#pragma once

#include "base/app_state.h"
#include "base/context.h"
#include "base/status_line.h"

#include <algorithm>

namespace kc {

// The progress bar runs from 0 to 100; the model keeps the value the steps add to.
inline void SetProgress(Context& context, int value) {
    value = std::clamp(value, 0, 100);
    context.state.ui.progress = value;
    context.status.setProgress(value);
}

inline void AdvanceProgress(Context& context, int step) { SetProgress(context, context.state.ui.progress + step); }

// The hourglass pointer of a long action.
inline void SetBusy(Context& context, bool busy) {
    context.state.ui.busy = busy;
    context.status.setBusy(busy);
}

} // namespace kc
