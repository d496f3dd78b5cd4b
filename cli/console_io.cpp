// SPDX-License-Identifier: Apache-2.0
#include "console_io.h"

#include "interrupt_request.h"

#include <QByteArray>
#include <cerrno>
#include <poll.h>
#include <signal.h>

namespace kc::cli {

void ConsoleStream::write(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), file_);
    std::fflush(file_);
}

void ConsoleStream::writeLine(const QString& text) {
    write(text + QLatin1Char('\n'));
}

namespace {

// Waits until input can be read, or Ctrl+C is pressed. The signal stays
// blocked from the check until ppoll waits, so a press just before the wait
// cannot slip through and leave the program waiting for good.
bool WaitForInput(int fd) {
    sigset_t interrupt;
    sigset_t previous;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    sigprocmask(SIG_BLOCK, &interrupt, &previous);
    int ready = -1;
    while (!InterruptRequest::requested()) {
        pollfd wanted{fd, POLLIN, 0};
        ready = ppoll(&wanted, 1, nullptr, &previous);
        if (ready >= 0 || errno != EINTR)
            break;
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    return ready > 0 && !InterruptRequest::requested();
}

} // namespace

Console::Console(std::FILE* data_, std::FILE* messages_, std::FILE* in)
    : data(data_), messages(messages_), in_(in) {
    std::setvbuf(in_, nullptr, _IONBF, 0);
}

std::optional<QString> Console::readLine() {
    QByteArray line;
    int c = EOF;
    while (WaitForInput(fileno(in_))) {
        c = std::fgetc(in_);
        if (c == EOF || c == '\n')
            break;
        line.append(char(c));
        c = EOF;
    }
    if (InterruptRequest::requested())
        return std::nullopt;
    if (c == EOF && line.isEmpty())
        return std::nullopt;
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

} // namespace kc::cli
