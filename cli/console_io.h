// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <cstdio>
#include <optional>

namespace kc::cli {

// One output stream of the console, UTF-8, flushed at once so that a prompt
// is visible before the program waits and the two streams interleave as written.
class ConsoleStream {
  public:
    explicit ConsoleStream(std::FILE* file) : file_(file) {}

    void write(const QString& text);
    void writeLine(const QString& text = {});

  private:
    std::FILE* file_;
};

// The console the front-end talks through: the data a script reads on
// stdout, everything said to the person (status line, boxes, errors) on
// stderr, answer lines from stdin.
class Console {
  public:
    // Input is read unbuffered, so that what the system still holds is all
    // there is and a wait for it can be interrupted without a gap.
    explicit Console(std::FILE* data = stdout, std::FILE* messages = stderr, std::FILE* in = stdin);

    // One line without its line break; nothing at the end of input or when
    // Ctrl+C was pressed before or during the wait.
    std::optional<QString> readLine();

    ConsoleStream data;
    ConsoleStream messages;

  private:
    std::FILE* in_;
};

} // namespace kc::cli
