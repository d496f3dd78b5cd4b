// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/app_state.h"
#include "base/context.h"
#include "base/status_line.h"

#include <algorithm>

namespace kc {

// The progress bar runs from 0 to 100; the model keeps the value the steps add to.
inline void SetProgress(Context& ctx, int value) {
    value = std::clamp(value, 0, 100);
    ctx.state.ui.progress = value;
    ctx.status.setProgress(value);
}

inline void AdvanceProgress(Context& ctx, int step) {
    SetProgress(ctx, ctx.state.ui.progress + step);
}

// The hourglass pointer of a long action.
inline void SetBusy(Context& ctx, bool busy) {
    ctx.state.ui.busy = busy;
    ctx.status.setBusy(busy);
}

} // namespace kc
