// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string_view>

namespace kc::ctapi {

// A trace file of the libraries, the simulator or the console. Every line
// is appended and flushed at once, so a trace survives a crash up to the
// last call. A trace holds the insured person's data (every READ BINARY
// answer), so only its owner may read it: the file is created with mode
// 0600, an existing one of the user's is narrowed to 0600, and a symbolic
// link, a file of another user or anything but a plain file is refused.
class TraceFile {
  public:
    enum class Refusal { None, SymbolicLink, NotAPlainFile, OtherOwner, SystemError };

    // A trace that writes nowhere.
    TraceFile() = default;
    // "-" is standard error; an empty path writes nowhere.
    explicit TraceFile(std::string_view path);
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    [[nodiscard]] bool on() const { return file_ != nullptr; }
    [[nodiscard]] Refusal refusal() const { return refusal_; }
    // errno of the failed call when refusal() is SystemError.
    [[nodiscard]] int systemError() const { return systemError_; }

    void writeLine(std::string_view line);

  private:
    struct Closer {
        void operator()(std::FILE* file) const;
    };
    void refuse(Refusal refusal, int error = 0);

    std::unique_ptr<std::FILE, Closer> file_;
    Refusal refusal_ = Refusal::None;
    int systemError_ = 0;
    std::mutex mutex_;
};

// The file an environment variable names; empty when it is unset.
[[nodiscard]] std::string_view PathFromEnvironment(const char* variable);

} // namespace kc::ctapi
