// SPDX-License-Identifier: Apache-2.0
// What running the terminal library in its helper costs: one CT_data with
// the simulator library loaded into this process, and the same through
// kartocheck-ctapi-host; and the start of a helper up to its first answer.
#include "base/program_folder.h"
#include "terminal/ctapi_library.h"
#include "terminal/hosted_ctapi_provider.h"

#include <QFile>
#include <array>
#include <benchmark/benchmark.h>

namespace {

constexpr uint16_t kCtn = 1;
constexpr uint16_t kUsbDevice1 = 0x2000; // where the simulator's default terminal sits

QString Beside(const char* file) {
    return kc::ProgramFolder() + QLatin1Char('/') + QLatin1String(file);
}

// RESET CT to the terminal: a short command and a short answer.
void ResetCt(benchmark::State& state, kc::CtApi& api) {
    if (api.init(kCtn, kUsbDevice1) != 0) {
        state.SkipWithError("the simulator's terminal did not open");
        return;
    }
    std::array<uint8_t, 5> command{};
    std::array<uint8_t, 4098> response{};
    for (auto _ : state) {
        command = {0x20, 0x11, 0x00, 0x00, 0x00};
        uint8_t dad = 1, sad = 2;
        uint16_t lenr = uint16_t(response.size());
        if (api.data(kCtn, &dad, &sad, uint16_t(command.size()), command.data(), &lenr, response.data()) != 0)
            state.SkipWithError("RESET CT failed");
        benchmark::DoNotOptimize(response.data());
    }
    api.close(kCtn);
}

void CtDataInProcess(benchmark::State& state) {
    kc::LibraryFault fault = kc::LibraryFault::None;
    const auto library =
        kc::CtApiLibrary::load(QFile::encodeName(Beside("libmktsim.so")).toStdString(), fault);
    if (!library) {
        state.SkipWithError("libmktsim.so is not next to the benchmark");
        return;
    }
    ResetCt(state, *library);
}
BENCHMARK(CtDataInProcess);

void CtDataThroughHelper(benchmark::State& state) {
    kc::HostedCtApiProvider provider(kc::HostedCtApiProvider::helperToStart(), Beside("libmktsim.so"));
    kc::LibraryFault fault = kc::LibraryFault::None;
    kc::CtApi* api = provider.acquire(fault);
    if (!api) {
        state.SkipWithError("the helper or libmktsim.so is not next to the benchmark");
        return;
    }
    ResetCt(state, *api);
}
BENCHMARK(CtDataThroughHelper);

// The price of a fresh helper after a lost one: start, load, CT_init.
void HelperStartToFirstInit(benchmark::State& state) {
    for (auto _ : state) {
        kc::HostedCtApiProvider provider(kc::HostedCtApiProvider::helperToStart(), Beside("libmktsim.so"));
        kc::LibraryFault fault = kc::LibraryFault::None;
        kc::CtApi* api = provider.acquire(fault);
        if (!api || api->init(kCtn, kUsbDevice1) != 0) {
            state.SkipWithError("the helper did not start");
            break;
        }
        state.PauseTiming();
        api->close(kCtn);
        state.ResumeTiming();
    }
}
BENCHMARK(HelperStartToFirstInit)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
