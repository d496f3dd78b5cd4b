// SPDX-License-Identifier: Apache-2.0
#include "process_simulator.h"

#include "ctapi/return_codes.h"
#include "sim/simulator.h"

#include <mutex>

namespace kc::sim::process {

namespace {

std::mutex& ProcessLock() {
    static std::mutex mutex;
    return mutex;
}

// Call with ProcessLock() held.
Simulator& ProcessSimulator() {
    static Simulator simulator = [] {
        Simulator created = Simulator::fromEnvironment();
        created.setExchangeLogging(false);
        return created;
    }();
    return simulator;
}

template <typename Call> auto Locked(Call&& call) noexcept -> decltype(call(std::declval<Simulator&>())) {
    try {
        std::lock_guard lock(ProcessLock());
        return call(ProcessSimulator());
    } catch (...) {
        return ERR_HTSI;
    }
}

} // namespace

int8_t Init(uint16_t ctn, uint16_t pn) {
    return Locked([&](Simulator& simulator) { return simulator.init(ctn, pn); });
}

int8_t Data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command, uint16_t* lenr,
            uint8_t* response) {
    return Locked(
        [&](Simulator& simulator) { return simulator.data(ctn, dad, sad, lenc, command, lenr, response); });
}

int8_t Close(uint16_t ctn) {
    return Locked([&](Simulator& simulator) { return simulator.close(ctn); });
}

int32_t GetBaudrate(uint16_t ctn, int32_t* baud) {
    return Locked([&](Simulator& simulator) { return simulator.getBaudrate(ctn, baud); });
}

} // namespace kc::sim::process

// Lets a program that loaded this library say that it talks to the
// simulator and not to a terminal maker's library.
extern "C" __attribute__((visibility("default"))) const char* mktsim_identity() {
    return "mktsim";
}
