// SPDX-License-Identifier: Apache-2.0
// What running the terminal library in its helper costs: one CT_data with
// the simulator library loaded into this process, and the same through
// kartocheck-ctapi-host; the start of a helper up to its first answer; and a
// soak of many calls to one helper.
#include "base/program_folder.h"
#include "process_footprint.h"
#include "terminal/ctapi_library.h"
#include "terminal/hosted_ctapi_provider.h"

#include <QFile>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <unistd.h>

namespace {

constexpr uint16_t kCtn = 1;
constexpr uint16_t kUsbDevice1 = 0x2000; // where the simulator's default terminal sits
constexpr int kSoakCalls = 10000;

QString Beside(const char* file) {
    return kc::ProgramFolder() + QLatin1Char('/') + QLatin1String(file);
}

bool OpenSimulatorTerminal(benchmark::State& state, kc::CtApi& api) {
    if (api.init(kCtn, kUsbDevice1) == 0)
        return true;
    state.SkipWithError("the simulator's terminal did not open");
    return false;
}

// RESET CT to the terminal: a short command and a short answer.
bool SendResetCt(kc::CtApi& api) {
    std::array<uint8_t, 5> command{0x20, 0x11, 0x00, 0x00, 0x00};
    std::array<uint8_t, 4098> response; // written by the library; not cleared on every call
    uint8_t dad = 1, sad = 2;
    uint16_t lenr = uint16_t(response.size());
    const bool done =
        api.data(kCtn, &dad, &sad, uint16_t(command.size()), command.data(), &lenr, response.data()) == 0;
    benchmark::DoNotOptimize(response.data());
    return done;
}

void ResetCt(benchmark::State& state, kc::CtApi& api) {
    if (!OpenSimulatorTerminal(state, api))
        return;
    for (auto _ : state)
        if (!SendResetCt(api))
            state.SkipWithError("RESET CT failed");
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

// The helper with the simulator library loaded; nullptr after SkipWithError.
kc::CtApi* StartHelper(benchmark::State& state, kc::HostedCtApiProvider& provider) {
    kc::LibraryFault fault = kc::LibraryFault::None;
    kc::CtApi* api = provider.acquire(fault);
    if (!api)
        state.SkipWithError("the helper or libmktsim.so is not next to the benchmark");
    return api;
}

void CtDataThroughHelper(benchmark::State& state) {
    kc::HostedCtApiProvider provider(kc::HostedCtApiProvider::helperToStart(), Beside("libmktsim.so"));
    if (kc::CtApi* api = StartHelper(state, provider))
        ResetCt(state, *api);
}
BENCHMARK(CtDataThroughHelper);

// Ten thousand calls to one helper; what the program and the helper hold
// after the first call and after the last must be the same.
void CtDataThroughHelperSoak(benchmark::State& state) {
    kc::HostedCtApiProvider provider(kc::HostedCtApiProvider::helperToStart(), Beside("libmktsim.so"));
    kc::CtApi* api = StartHelper(state, provider);
    if (!api || !OpenSimulatorTerminal(state, *api))
        return;
    const auto children = kc::bench::ChildrenOf(getpid());
    if (children.size() != 1 || !SendResetCt(*api)) {
        state.SkipWithError("not exactly one helper, or RESET CT failed");
        return;
    }
    const pid_t helper = children.front();
    const kc::bench::Footprint ownStart = kc::bench::OwnFootprint();
    const kc::bench::Footprint helperStart = kc::bench::FootprintOf(helper);
    const auto started = std::chrono::steady_clock::now();
    int failed = 0;
    for (auto _ : state)
        if (!SendResetCt(*api))
            ++failed;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    kc::bench::ReportFootprint(state, "", ownStart, kc::bench::OwnFootprint());
    kc::bench::ReportFootprint(state, "helper_", helperStart, kc::bench::FootprintOf(helper));
    api->close(kCtn);
    state.counters["failed"] = failed;
    state.counters["wall_s"] = seconds;
    state.counters["calls_per_s"] = double(state.iterations()) / seconds;
    if (failed)
        state.SkipWithError("RESET CT failed");
}
BENCHMARK(CtDataThroughHelperSoak)->UseRealTime()->Iterations(kSoakCalls);

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
