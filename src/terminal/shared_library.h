// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>

namespace kc {

// Owns a dlopen handle.
class SharedLibrary {
  public:
    SharedLibrary() = default;
    explicit SharedLibrary(const std::string& fileOrName);
    ~SharedLibrary();
    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool isLoaded() const { return handle_ != nullptr; }
    void* symbol(const char* name) const;
    const std::string& error() const { return error_; }

  private:
    void* handle_ = nullptr;
    std::string error_;
};

} // namespace kc
