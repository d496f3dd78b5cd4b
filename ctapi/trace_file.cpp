// SPDX-License-Identifier: Apache-2.0
#include "ctapi/trace_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kc::ctapi {

namespace {

// Why a path could not be opened. Only the last part of the path is checked
// for a link: the folders above are the user's own choice, as for any file
// a program writes.
TraceFile::Refusal RefusalOf(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return TraceFile::Refusal::SystemError;
    if (S_ISLNK(status.st_mode))
        return TraceFile::Refusal::SymbolicLink;
    return S_ISREG(status.st_mode) ? TraceFile::Refusal::SystemError : TraceFile::Refusal::NotAPlainFile;
}

} // namespace

void TraceFile::Closer::operator()(std::FILE* file) const {
    if (file != stderr)
        std::fclose(file);
}

TraceFile::TraceFile(std::string_view path) {
    if (path.empty())
        return;
    if (path == "-") {
        file_.reset(stderr);
        return;
    }
    const std::string name(path);
    // O_NONBLOCK keeps a FIFO from holding the caller up until a reader
    // comes; it is refused anyway.
    const int fd =
        ::open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0) {
        const int error = errno;
        refuse(RefusalOf(name), error);
        return;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        refuse(Refusal::SystemError, errno);
    } else if (!S_ISREG(status.st_mode)) {
        refuse(Refusal::NotAPlainFile);
    } else if (status.st_uid != ::geteuid()) {
        refuse(Refusal::OtherOwner);
    } else if ((status.st_mode & 077) != 0 && ::fchmod(fd, 0600) != 0) {
        refuse(Refusal::SystemError, errno);
    } else if (std::FILE* file = ::fdopen(fd, "a")) {
        file_.reset(file);
        return;
    } else {
        refuse(Refusal::SystemError, errno);
    }
    ::close(fd);
}

void TraceFile::refuse(Refusal refusal, int error) {
    refusal_ = refusal;
    systemError_ = error;
}

void TraceFile::writeLine(std::string_view line) {
    if (!file_)
        return;
    std::lock_guard lock(mutex_);
    std::fwrite(line.data(), 1, line.size(), file_.get());
    std::fputc('\n', file_.get());
    std::fflush(file_.get());
}

std::string_view PathFromEnvironment(const char* variable) {
    const char* path = std::getenv(variable);
    return path ? path : "";
}

} // namespace kc::ctapi
