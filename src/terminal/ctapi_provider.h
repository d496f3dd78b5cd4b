// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/ctapi.h"
#include "terminal/ctapi_library.h"

#include <QString>
#include <memory>

namespace kc {

// Hands out the CT-API when a terminal function is first needed.
class CtApiProvider {
  public:
    virtual ~CtApiProvider() = default;
    // nullptr with the fault set when the library cannot be used.
    virtual CtApi* acquire(LibraryFault& fault) = 0;
    // When the library was lost since the last ask (its helper hung or ended,
    // so its session is gone): what to tell the person. Otherwise empty.
    [[nodiscard]] virtual QString takeLibraryLoss() { return {}; }
};

// Loads the terminal library once, the one ChooseLibrary picks for this
// program's folder and the installed library folder.
class LibraryCtApiProvider : public CtApiProvider {
  public:
    CtApi* acquire(LibraryFault& fault) override;
    static QString libraryToLoad();

  private:
    std::unique_ptr<CtApiLibrary> library_;
};

// A CT-API object owned elsewhere (the simulator engine in tests).
class FixedCtApiProvider : public CtApiProvider {
  public:
    explicit FixedCtApiProvider(CtApi& api) : api_(api) {}
    CtApi* acquire(LibraryFault& fault) override {
        fault = LibraryFault::None;
        return &api_;
    }

  private:
    CtApi& api_;
};

} // namespace kc
