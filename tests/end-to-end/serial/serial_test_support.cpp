// SPDX-License-Identifier: Apache-2.0
#include "serial_test_support.h"

#include "sim/bytes.h"
#include "sim_harness.h"

#include <dlfcn.h>

namespace kc::test {

std::string BuiltFile(const std::string& name) {
    return SimHarness::BinDir().toStdString() + "/" + name;
}

::testing::AssertionResult StartEmulator(sim::serial::EmulatorProcess& emulator, const std::string& scenario,
                                         std::vector<std::string> options) {
    options.insert(options.begin(), {"--scenario", SimHarness::ScenarioDir().toStdString() + "/" + scenario});
    std::string error;
    if (!emulator.start(BuiltFile("mktsim-serial"), options, error))
        return ::testing::AssertionFailure() << error;
    return ::testing::AssertionSuccess();
}

QProcessEnvironment PreloadEnvironment(const QString& lineSignals) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"),
               QString::fromStdString(BuiltFile("libmktsim-serial-preload.so")));
    env.insert(QStringLiteral("MKTSIM_SERIAL_LINE_SIGNALS"), lineSignals);
    // A sanitizer build wants its run-time first; the preload library comes before it.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    return env;
}

LoadedCtApi::LoadedCtApi(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        return;
    init = reinterpret_cast<decltype(init)>(dlsym(handle_, "CT_init"));
    data = reinterpret_cast<decltype(data)>(dlsym(handle_, "CT_data"));
    close = reinterpret_cast<decltype(close)>(dlsym(handle_, "CT_close"));
    getBaudrate = reinterpret_cast<decltype(getBaudrate)>(dlsym(handle_, "CT_get_baudrate"));
    if (!data || !close)
        init = nullptr;
}

LoadedCtApi::~LoadedCtApi() {
    if (handle_)
        dlclose(handle_);
}

LoadedCtApi::Answer LoadedCtApi::transmit(uint16_t ctn, uint8_t dad, const std::string& commandHex) {
    sim::Bytes command = *sim::FromHex(commandHex);
    std::vector<uint8_t> response(4096);
    uint8_t sad = 2;
    uint16_t lenr = uint16_t(response.size());
    Answer answer;
    answer.code = data(ctn, &dad, &sad, uint16_t(command.size()), command.data(), &lenr, response.data());
    if (answer.code == 0) {
        answer.sad = sad;
        answer.response = sim::ToHex(std::span<const uint8_t>(response.data(), lenr));
    }
    return answer;
}

} // namespace kc::test
