#include "terminal/shared_library.h"

#include <dlfcn.h>
#include <utility>

namespace kc {

SharedLibrary::SharedLibrary(const QString& fileOrName) {
    handle_ = dlopen(fileOrName.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        error_ = QString::fromLocal8Bit(dlerror());
}

SharedLibrary::~SharedLibrary() {
    if (handle_)
        dlclose(handle_);
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        if (handle_)
            dlclose(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

void* SharedLibrary::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

} // namespace kc
