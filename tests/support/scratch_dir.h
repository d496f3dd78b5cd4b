// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace kc::test {

// A folder of its own for one test, gone with it: ctest runs tests side by
// side, so a fixed name under /tmp would be shared between them.
class ScratchDir {
  public:
    ScratchDir() {
        std::string name = (std::filesystem::temp_directory_path() / "kartocheck_test.XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr)
            ADD_FAILURE() << "mkdtemp failed for " << name;
        path_ = name;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace kc::test
