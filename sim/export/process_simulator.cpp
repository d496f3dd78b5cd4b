#include "process_simulator.h"

#include "sim/simulator.h"

#include <mutex>

namespace kc::sim::process {

namespace {

constexpr int8_t kErrHtsi = -128;

std::mutex& processLock() {
    static std::mutex mutex;
    return mutex;
}

// Call with processLock() held.
Simulator& processSimulator() {
    static Simulator simulator = [] {
        Simulator created = Simulator::fromEnvironment();
        created.setExchangeLogging(false);
        return created;
    }();
    return simulator;
}

template <typename Call> auto locked(Call&& call) noexcept -> decltype(call(std::declval<Simulator&>())) {
    try {
        std::lock_guard lock(processLock());
        return call(processSimulator());
    } catch (...) {
        return kErrHtsi;
    }
}

} // namespace

int8_t init(uint16_t ctn, uint16_t pn) {
    return locked([&](Simulator& simulator) { return simulator.init(ctn, pn); });
}

int8_t data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command, uint16_t* lenr,
            uint8_t* response) {
    return locked(
        [&](Simulator& simulator) { return simulator.data(ctn, dad, sad, lenc, command, lenr, response); });
}

int8_t close(uint16_t ctn) {
    return locked([&](Simulator& simulator) { return simulator.close(ctn); });
}

int32_t getBaudrate(uint16_t ctn, int32_t* baud) {
    return locked([&](Simulator& simulator) { return simulator.getBaudrate(ctn, baud); });
}

} // namespace kc::sim::process

// Lets a program that loaded this library say that it talks to the
// simulator and not to a terminal maker's library.
extern "C" __attribute__((visibility("default"))) const char* mktsim_identity() {
    return "mktsim";
}
