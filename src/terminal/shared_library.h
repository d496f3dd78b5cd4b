#pragma once

#include <QString>

namespace kc {

// Owns a dlopen handle.
class SharedLibrary {
public:
    SharedLibrary() = default;
    explicit SharedLibrary(const QString& fileOrName);
    ~SharedLibrary();
    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool isLoaded() const { return handle_ != nullptr; }
    void* symbol(const char* name) const;
    const QString& error() const { return error_; }

private:
    void* handle_ = nullptr;
    QString error_;
};

} // namespace kc
