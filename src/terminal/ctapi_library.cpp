// SPDX-License-Identifier: Apache-2.0
#include "terminal/ctapi_library.h"

#include <filesystem>

namespace kc {

std::unique_ptr<CtApiLibrary> CtApiLibrary::load(const std::string& fileOrName, LibraryFault& fault) {
    // A path names exactly one file; a bare name goes through the system's search.
    const bool isPath = fileOrName.find('/') != std::string::npos;
    std::error_code ignored;
    if (isPath && !std::filesystem::exists(fileOrName, ignored)) {
        fault = LibraryFault::FileMissing;
        return nullptr;
    }
    SharedLibrary library(fileOrName);
    if (!library.isLoaded()) {
        fault = isPath ? LibraryFault::EntryPointMissing : LibraryFault::FileMissing;
        return nullptr;
    }
    std::unique_ptr<CtApiLibrary> api(new CtApiLibrary(std::move(library)));
    if (!api->bind()) {
        fault = LibraryFault::EntryPointMissing;
        return nullptr;
    }
    fault = LibraryFault::None;
    return api;
}

bool CtApiLibrary::bind() {
    auto lookup = [this](const char* name) { return library_.symbol(name); };
    if (lookup("CTDEZAVT1_init") || lookup("CTDEZAVT1_data") || lookup("CTDEZAVT1_close")) {
        vendorNames_ = true;
        init_ = reinterpret_cast<InitFn>(lookup("CTDEZAVT1_init"));
        data_ = reinterpret_cast<DataFn>(lookup("CTDEZAVT1_data"));
        close_ = reinterpret_cast<CloseFn>(lookup("CTDEZAVT1_close"));
        getBaudrate_ = reinterpret_cast<BaudFn>(lookup("CT_get_baudrate"));
        return init_ && data_ && close_ && getBaudrate_;
    }
    init_ = reinterpret_cast<InitFn>(lookup("CT_init"));
    data_ = reinterpret_cast<DataFn>(lookup("CT_data"));
    close_ = reinterpret_cast<CloseFn>(lookup("CT_close"));
    getBaudrate_ = reinterpret_cast<BaudFn>(lookup("CT_get_baudrate"));
    return init_ && data_ && close_;
}

int8_t CtApiLibrary::init(uint16_t ctn, uint16_t pn) {
    return init_(ctn, pn);
}

int8_t CtApiLibrary::data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command,
                          uint16_t* lenr, uint8_t* response) {
    return data_(ctn, dad, sad, lenc, command, lenr, response);
}

int8_t CtApiLibrary::close(uint16_t ctn) {
    return close_(ctn);
}

int32_t CtApiLibrary::getBaudrate(uint16_t ctn, int32_t* baud) {
    return getBaudrate_ ? getBaudrate_(ctn, baud) : ERR_INVALID;
}

} // namespace kc
