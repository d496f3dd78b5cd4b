// SPDX-License-Identifier: Apache-2.0
#include "egk/vsd_decompression.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#include <zlib.h>

namespace kc {
namespace {

// A descriptor closed on every path unless handed over to the gzip reader.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

// Health data never get a name in the file system: an anonymous memory file,
// or where that is missing a private temporary file unlinked at once.
int OpenScratch() {
    const int fd = ::memfd_create("kartocheck-vsd", MFD_CLOEXEC);
    if (fd >= 0)
        return fd;
    QByteArray path = QFile::encodeName(QDir::tempPath() + QStringLiteral("/kartocheck-vsd-XXXXXX"));
    const int tempFd = ::mkostemp(path.data(), O_CLOEXEC); // mode 0600, created exclusively
    if (tempFd >= 0)
        ::unlink(path.constData());
    return tempFd;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return ::lseek(fd, 0, SEEK_SET) == 0;
}

bool LooksLikeGzip(const QByteArray& bytes) {
    return (bytes.size() > 0 && uint8_t(bytes[0]) == 0x1F) || (bytes.size() > 1 && uint8_t(bytes[1]) == 0x8B);
}

} // namespace

Result<QByteArray, DecompressionFailure> DecompressVsd(const QByteArray& compressed) {
    using Outcome = Result<QByteArray, DecompressionFailure>;
    const Outcome refused = Outcome::failure({});
    Descriptor scratch(OpenScratch());
    if (scratch.get() < 0 || !WriteAll(scratch.get(), compressed))
        return Outcome::failure(
            {DecompressionFailure::Kind::ScratchFailed,
             {uint32_t(errno),
              QStringLiteral("Die komprimierten Daten konnten nicht zwischengespeichert werden: %1")
                  .arg(QString::fromLocal8Bit(std::strerror(errno)))}});
    gzFile reader = ::gzdopen(scratch.get(), "rb");
    if (!reader)
        return refused;
    scratch.release(); // the reader closes it

    QByteArray bytes;
    char chunk[kGzipReadSize];
    for (;;) {
        const int count = ::gzread(reader, chunk, kGzipReadSize);
        // Refused the moment it reaches the limit: a bomb is never read on.
        if (count < 0 || bytes.size() + count >= kVsdSizeLimit) {
            ::gzclose(reader);
            return refused;
        }
        bytes.append(chunk, count);
        if (count != kGzipReadSize)
            break;
    }
    // A stream that ends before its trailer is damaged, though the reader
    // reports it only when it is closed: never take the part as the document.
    const bool cutShort = ::gzclose(reader) == Z_BUF_ERROR;
    if (cutShort || LooksLikeGzip(bytes))
        return refused;
    return bytes;
}

} // namespace kc
