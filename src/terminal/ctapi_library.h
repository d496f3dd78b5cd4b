// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/ctapi.h"
#include "terminal/shared_library.h"

#include <memory>
#include <string>

namespace kc {

enum class LibraryFault { None, FileMissing, EntryPointMissing };

// A CT-API shared library. Takes the CTDEZAVT1_ exports, else the standard
// CT_ names; CT_get_baudrate is optional with the standard names. Free of Qt:
// kartocheck-ctapi-host loads the library with it too.
class CtApiLibrary : public CtApi {
  public:
    [[nodiscard]] static std::unique_ptr<CtApiLibrary> load(const std::string& fileOrName,
                                                            LibraryFault& fault);

    int8_t init(uint16_t ctn, uint16_t pn) override;
    int8_t data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
                uint8_t* response) override;
    int8_t close(uint16_t ctn) override;
    int32_t getBaudrate(uint16_t ctn, int32_t* baud) override;

    bool usesVendorNames() const { return vendorNames_; }
    bool hasGetBaudrate() const { return getBaudrate_ != nullptr; }

  private:
    using InitFn = int8_t (*)(uint16_t, uint16_t);
    using DataFn = int8_t (*)(uint16_t, uint8_t*, uint8_t*, uint16_t, uint8_t*, uint16_t*, uint8_t*);
    using CloseFn = int8_t (*)(uint16_t);
    using BaudFn = int32_t (*)(uint16_t, int32_t*);

    explicit CtApiLibrary(SharedLibrary library) : library_(std::move(library)) {}
    [[nodiscard]] bool bind();

    SharedLibrary library_;
    InitFn init_ = nullptr;
    DataFn data_ = nullptr;
    CloseFn close_ = nullptr;
    BaudFn getBaudrate_ = nullptr;
    bool vendorNames_ = false;
};

} // namespace kc
