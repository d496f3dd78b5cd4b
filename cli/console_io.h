#pragma once

#include <QString>
#include <cstdio>
#include <optional>

namespace kc::cli {

// The console the front-end talks through: UTF-8 text out, lines in. Output
// is flushed at once so that a prompt is visible before the program waits.
class Console {
  public:
    explicit Console(std::FILE* out = stdout, std::FILE* in = stdin) : out_(out), in_(in) {}

    void write(const QString& text);
    void writeLine(const QString& text = {});
    // One line without its line break; nothing at the end of input.
    std::optional<QString> readLine();

  private:
    std::FILE* out_;
    std::FILE* in_;
};

} // namespace kc::cli
