// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/result.h"

#include "ctapi/trace_file.h"

#include <QString>
#include <memory>

namespace kc::cli {

// Where the APDU trace goes: a file of its own, or the message stream for
// "-". Every line starts with the local time to the millisecond, so that a
// technician sees where a terminal took its time.
class TraceLog {
  public:
    // The German reason when the file may not or cannot be written.
    static Result<std::unique_ptr<TraceLog>> open(const QString& target);

    void line(const QString& text);

  private:
    explicit TraceLog(const QString& target);

    ctapi::TraceFile file_;
};

} // namespace kc::cli
