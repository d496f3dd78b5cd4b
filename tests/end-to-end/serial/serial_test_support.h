// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "emulator_process.h"
#include "test_printers.h"

#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kc::test {

std::string BuiltFile(const std::string& name);

// Starts mktsim-serial on a shipped scenario with further options.
::testing::AssertionResult StartEmulator(sim::serial::EmulatorProcess& emulator, const std::string& scenario,
                                         std::vector<std::string> options = {});

// This process's environment with the emulator's preload library, which
// keeps the modem lines and framing a pseudo-terminal refuses in lineSignals.
QProcessEnvironment PreloadEnvironment(const QString& lineSignals);

// A CT-API library loaded with dlopen, for the calls as any C program makes them.
class LoadedCtApi {
  public:
    explicit LoadedCtApi(const std::string& path);
    ~LoadedCtApi();
    LoadedCtApi(const LoadedCtApi&) = delete;
    LoadedCtApi& operator=(const LoadedCtApi&) = delete;

    bool loaded() const { return init != nullptr; }

    int8_t (*init)(uint16_t, uint16_t) = nullptr;
    int8_t (*data)(uint16_t, uint8_t*, uint8_t*, uint16_t, uint8_t*, uint16_t*, uint8_t*) = nullptr;
    int8_t (*close)(uint16_t) = nullptr;
    int32_t (*getBaudrate)(uint16_t, int32_t*) = nullptr;

    struct Answer {
        int code = 0;
        uint8_t sad = 0;
        std::string response; // upper-case hex
    };
    // One CT_data call with a hex command and ample room for the answer.
    Answer transmit(uint16_t ctn, uint8_t dad, const std::string& commandHex);

  private:
    void* handle_ = nullptr;
};

} // namespace kc::test
