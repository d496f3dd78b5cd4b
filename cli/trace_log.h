// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "console_io.h"

#include "base/result.h"

#include <QString>
#include <cstdio>
#include <memory>

namespace kc::cli {

// Where the APDU trace goes: a file of its own, or the message stream for
// "-". Every line starts with the local time to the millisecond, so that a
// technician sees where a terminal took its time.
class TraceLog {
  public:
    // The system's reason when the file cannot be written.
    static Result<std::unique_ptr<TraceLog>> open(const QString& target);

    void line(const QString& text);

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    TraceLog(std::FILE* file, bool owned);

    std::unique_ptr<std::FILE, Closer> owned_;
    ConsoleStream stream_;
};

} // namespace kc::cli
