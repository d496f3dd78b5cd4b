#include "console_io.h"

#include <QByteArray>

namespace kc::cli {

void ConsoleStream::write(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), file_);
    std::fflush(file_);
}

void ConsoleStream::writeLine(const QString& text) {
    write(text + QLatin1Char('\n'));
}

std::optional<QString> Console::readLine() {
    QByteArray line;
    int c = 0;
    while ((c = std::fgetc(in_)) != EOF && c != '\n')
        line.append(char(c));
    if (c == EOF && std::ferror(in_)) {
        // An interrupted read leaves the stream readable for whoever asks next.
        std::clearerr(in_);
        return std::nullopt;
    }
    if (c == EOF && line.isEmpty())
        return std::nullopt;
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

} // namespace kc::cli
