// SPDX-License-Identifier: Apache-2.0
#include "terminal/shared_library.h"

#include <dlfcn.h>
#include <utility>

namespace kc {

SharedLibrary::SharedLibrary(const std::string& fileOrName) {
    handle_ = dlopen(fileOrName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        error_ = dlerror();
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

void* SharedLibrary::symbol(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

} // namespace kc
